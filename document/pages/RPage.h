#pragma once
// One slide of a project: its number (its place, 1..99; the shared blank page is 65535), its
// picture file relative to the project's folder, how it plays, and its contents once loaded.
#include <memory>
#include <string>

#include "document/pages/PageSettings.h"
#include "document/pages/RPageData.h"

namespace Ostrel {

constexpr u16 kBlankPageNumber = 65535;

class RPage {
public:
    RPage(const PageSettings& settings, std::string fileName, u16 number)
        : settings(settings), fileName_(std::move(fileName)), number_(number) {}

    u16 Number() const { return number_; }
    // The blank page keeps its number.
    void SetId(u16 number) {
        if (number_ != kBlankPageNumber) number_ = number;
    }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }

    // A timing mode past the known ones reads as timed.
    void GetTiming(u8* seconds, u8* mode) {
        if (settings.timingMode > kTimingModeMax) settings.timingMode = 0;
        *seconds = settings.timingSeconds;
        *mode = settings.timingMode;
    }
    void SetTiming(u8 seconds, u8 mode) {
        settings.timingSeconds = seconds;
        settings.timingMode = mode > kTimingModeMax ? 0 : mode;
    }
    u16 GetTransitionEffect() const { return settings.transitionEffect; }
    void SetTransitionEffect(u16 effect) { settings.transitionEffect = effect; }
    u16 GetTransitionOption() const { return settings.transitionOption; }
    void SetTransitionOption(u16 option) { settings.transitionOption = option; }

    // The contents: on first use read from the page's file when it has one (the engine text
    // of its full path), else empty; a file that cannot be read gives an empty page too.
    RPageData& Data();
    void SetFilePath(std::string engineText) { filePath_ = std::move(engineText); }
    const std::string& FilePath() const { return filePath_; }
    bool HasData() const { return data_ != nullptr; }
    // Draws the contents into the current port at its top-left corner.
    EngineErr Draw();
    // Saves the contents into a picture file; the file keeps its old bytes unless the whole
    // save succeeds, and the contents stay dirty when it does not.
    EngineErr SaveToFile(const Path* path) { return Data().SaveToFile(path); }
    // Drops the loaded contents; they are read again on next use.
    void ReleaseData() { data_.reset(); }

    PageSettings settings;

private:
    std::string fileName_;
    std::string filePath_;
    u16 number_;
    std::unique_ptr<RPageData> data_;
};

}  // namespace Ostrel
