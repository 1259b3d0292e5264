#include "contentgen/content/ContentGenerator.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/content/ContentContext.h"
#include "contentgen/content/Cp1252.h"
#include "contentgen/content/DemoMovieWriter.h"
#include "contentgen/content/IdeaPictureWriter.h"
#include "contentgen/content/IniWriter.h"
#include "contentgen/content/ItemBuilder.h"
#include "contentgen/content/LibraryBuilder.h"
#include "contentgen/content/TextCatalog.h"
#include "contentgen/content/UserGuideWriter.h"
#include "app/window/UserGuideFile.h"
#include "platform/charset/Conversion.h"

namespace fs = std::filesystem;
using nlohmann::json;
using nlohmann::ordered_json;

namespace {

template <class Json>
Json readJson(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    try {
        return Json::parse(in);
    } catch (const std::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

std::vector<fs::path> jsonFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) throw std::runtime_error("no folder " + folder.string());
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs one step on a manifest's content; what goes wrong is told with the manifest's name.
template <class Step>
auto withSource(const fs::path& manifest, Step&& step) {
    try {
        return step();
    } catch (const std::exception& e) {
        throw std::runtime_error(manifest.string() + ": " + e.what());
    }
}

// A manifest's name for the file it makes, which must stay inside its folder.
std::string plainFileName(const json& manifest, const char* field) {
    const std::string name = manifest.at(field).get<std::string>();
    if (name.empty() || name == "." || name == ".." || name.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
        throw std::runtime_error(std::string(field) + " \"" + name + "\" is not a plain file name");
    return name;
}

std::vector<u8> bytesOf(const std::string& text) { return std::vector<u8>(text.begin(), text.end()); }

struct ItemJob {
    json manifest;
    fs::path source;
    Language language;
    std::string archiveName;
    std::vector<u8> bytes;
    std::string libraryPath;  // set for an installed library, which is not a content item
    std::map<std::string, std::unique_ptr<SpeechBatch>> speech;  // started before the builders' threads
};

// The table of contents and the neutral sections the program reads from "TB.ini".
ordered_json setupFile(ordered_json config, const ContentContext& context, const std::vector<ItemJob>& jobs) {
    config["LanguageFiles"]["English"] = kEnglishTextFile;
    config["LanguageFiles"]["Spanish"] = kSpanishTextFile;
    for (const auto& [prefix, name] : {std::pair{"easel", "@easel.canvas"}, {"slide", "@slideshow.canvas"}}) {
        const json r = layoutRect(context, name);
        config["CanvasSettings"][std::string(prefix) + "Left"] = r[0].get<int>();
        config["CanvasSettings"][std::string(prefix) + "Top"] = r[1].get<int>();
        config["CanvasSettings"][std::string(prefix) + "Width"] = r[2].get<int>();
        config["CanvasSettings"][std::string(prefix) + "Height"] = r[3].get<int>();
    }
    for (const ItemJob& job : jobs) {
        if (!job.libraryPath.empty()) continue;
        const std::string section = job.archiveName;
        config[section]["Disc"] = 1;
        config[section]["File_0"] = section + ".kvr";
    }
    return config;
}

// The program reads its settings files as Windows-1252, like every text of its own.
ordered_json inCp1252(ordered_json config) {
    for (auto& [section, keys] : config.items())
        for (auto& [key, value] : keys.items()) {
            if (!value.is_string()) continue;
            const auto bytes = utf8ToCp1252(value.get<std::string>());
            if (!bytes) throw std::invalid_argument("setting " + section + "/" + key + " has a character outside cp1252");
            value = *bytes;
        }
    return config;
}

void buildJobs(std::vector<ItemJob>& jobs, const ContentContext& context, unsigned threads) {
    std::atomic<size_t> next{0};
    std::mutex failureLock;
    std::exception_ptr failure;
    auto work = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            try {
                ItemJob& job = jobs[i];
                SpokenSounds said;
                for (auto& [voice, batch] : job.speech) said[voice] = batch->finish();
                const ArchiveImage archive = job.libraryPath.empty() ? buildItemArchive(job.manifest, context, job.language, said)
                                                                     : buildLibraryArchive(job.manifest, context);
                if (archive.serialize(&job.bytes) != kErrNone) throw std::runtime_error("archive too large");
            } catch (const std::exception& e) {
                std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::make_exception_ptr(std::runtime_error(jobs[i].source.string() + ": " + e.what()));
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < std::max(1u, threads); ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

std::vector<ContentFile> generateContent(const fs::path& manifests, unsigned threads) {
    const json layout = readJson<json>(manifests / "layout.json");
    json artLibrary = json::object();
    for (const fs::path& f : jsonFiles(manifests / "art")) withSource(f, [&] { artLibrary.update(readJson<json>(f)); });
    TextCatalog texts;
    for (const fs::path& f : jsonFiles(manifests / "texts")) withSource(f, [&] { texts.add(readJson<ordered_json>(f)); });
    const ArtFonts fonts;
    const ContentContext context{layout, artLibrary, texts, fonts};

    std::vector<ItemJob> jobs;
    for (const fs::path& f : jsonFiles(manifests / "items")) {
        const json item = readJson<json>(f);
        const std::string name = withSource(f, [&] { return plainFileName(item, "name"); });
        jobs.push_back(ItemJob{item, f, Language::English, name, {}, {}, {}});
        if (item.value("spanish", false)) jobs.push_back(ItemJob{item, f, Language::Spanish, name + "_sp", {}, {}, {}});
    }
    for (const fs::path& f : jsonFiles(manifests / "libraries")) {
        const json library = readJson<json>(f);
        ItemJob job{library, f, Language::English, {}, {}, {}, {}};
        job.libraryPath = withSource(f, [&] {
            plainFileName(library, "name");
            return libraryPath(library);
        });
        jobs.push_back(std::move(job));
    }
    // Every spoken batch starts here, while this is the only thread (SpeechSynth.h).
    for (ItemJob& job : jobs) {
        if (!job.libraryPath.empty()) continue;
        withSource(job.source, [&] {
            for (auto& [voice, texts] : itemSpokenTexts(job.manifest, context, job.language))
                job.speech[voice] = std::make_unique<SpeechBatch>(std::move(texts), voice);
        });
    }
    buildJobs(jobs, context, threads);

    std::vector<ContentFile> files;
    for (const fs::path& f : jsonFiles(manifests / "config")) {
        const std::string name = f.stem().string();
        files.push_back(ContentFile{name, withSource(f, [&] {
                                        ordered_json config = readJson<ordered_json>(f);
                                        if (name == "TB.ini") config = setupFile(std::move(config), context, jobs);
                                        return bytesOf(writeIniText(inCp1252(std::move(config))));
                                    })});
        // The installed settings the program copies into each user's settings folder the first
        // time it starts there.
        if (name == "TB.ini")
            files.push_back(ContentFile{std::string(kContentDataFolder) + "/" + name, files.back().bytes});
    }
    files.push_back(ContentFile{kEnglishTextFile, bytesOf(texts.languageFile(Language::English))});
    files.push_back(ContentFile{kSpanishTextFile, bytesOf(texts.languageFile(Language::Spanish))});
    const ArtPainter painter(fonts, artLibrary,
                             [&texts](const std::string& key) { return texts.lookup(key, Language::English); });
    for (const fs::path& f : jsonFiles(manifests / "movies")) {
        const json movie = readJson<json>(f);
        files.push_back(withSource(f, [&] {
            return ContentFile{std::string(kDemoMovieFolder) + "/" + plainFileName(movie, "file"),
                               writeDemoMovie(movie, painter)};
        }));
    }
    if (const fs::path ideas = manifests / "ideas"; fs::is_directory(ideas))
        for (const fs::path& f : jsonFiles(ideas)) {
            const json idea = readJson<json>(f);
            for (Language language : {Language::English, Language::Spanish})
                files.push_back(withSource(f, [&] {
                    return ContentFile{ideaPicturePath(idea, language), writeIdeaPicture(idea, language, context)};
                }));
        }
    const fs::path guide = manifests / "guide" / "UserGuide.json";
    if (fs::exists(guide)) {
        const json manifest = readJson<json>(guide);
        for (Language language : {Language::English, Language::Spanish})
            files.push_back(withSource(guide, [&] {
                return ContentFile{std::string(kContentDataFolder) + "/" + plat::cp1252ToUtf8(Ostrel::UserGuideFileName(u16(language))),
                                   writeUserGuide(manifest, language, fonts)};
            }));
    }
    for (ItemJob& job : jobs)
        files.push_back(ContentFile{job.libraryPath.empty() ? std::string(kContentDataFolder) + "/" + job.archiveName + ".kvr"
                                                            : job.libraryPath,
                                    std::move(job.bytes)});
    return files;
}

bool writeContent(const std::vector<ContentFile>& files, const fs::path& programFolder, std::string* error) {
    for (const ContentFile& file : files) {
        const fs::path target = programFolder / file.path;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        {
            std::ifstream old(target, std::ios::binary);
            if (old) {
                const std::vector<u8> present((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
                if (present == file.bytes) continue;
            }
        }
        const fs::path fresh = target.string() + ".new";
        {
            std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
            out.flush();
            if (!out) {
                *error = "cannot write " + fresh.string();
                return false;
            }
        }
        fs::rename(fresh, target, ec);
        if (ec) {
            *error = "cannot rename " + fresh.string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}
