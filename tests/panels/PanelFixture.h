#pragma once
// A scratch machine for the tool panels: the user folders of the document fixture, the pencil
// panel's button sets in an open archive (each button a 30 x 30 square in a row of its own, so a
// test clicks it by its index), and a tool manager over a small white picture listening to the
// panel as the easel would set it up.
#include <memory>
#include <vector>

#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/format/ButtonSetFormat.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/messaging/mfMessageQueue.h"
#include "panels/base/RToolPanel.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"
#include "tools/base/RToolMgr.h"

namespace testpanels {

struct ButtonRow {
    u16 firstId;
    u16 count;
    u32 click;  // 0: each button's own id
    u16 group;
    i16 top;
};

inline std::string buttonSet(const std::vector<ButtonRow>& rows) {
    std::vector<ButtonRecord> records;
    for (const ButtonRow& row : rows)
        for (u16 i = 0; i < row.count; ++i) {
            ButtonRecord r;
            r.id = u16(row.firstId + i);
            r.kind = ButtonKind::Select;
            r.shapes = {1, 2, 3, 4};
            r.left = i16(10 + 40 * i), r.right = i16(40 + 40 * i), r.top = row.top, r.bottom = i16(row.top + 30);
            r.clickMessage = row.click != 0 ? row.click : r.id;
            r.group = row.group;
            records.push_back(r);
        }
    std::vector<u8> bytes;
    EXPECT_EQ(writeButtonSet(records, &bytes), kErrNone);
    return std::string(bytes.begin(), bytes.end());
}

class PanelFixture : public testdoc::DocumentFolderFixture {
protected:
    void SetUp() override {
        DocumentFolderFixture::SetUp();
        mfMessageQueue::Global().Clear();
        paths = std::make_unique<Ostrel::Paths>(roots());
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive(contents());
        map = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "ToolPanels"), 1, 0);
        ASSERT_NE(map, 0);
        picture.assign(size_t(kSide * kSide), kRgb555White);
        mgr.Init(pixelViewOfBuffer(picture, kSide, kSide), canvas, nullptr);
    }
    void TearDown() override {
        mfMessageQueue::Global().Clear();
        resCloseFile(map, 0, 1);
        paths.reset();
        DocumentFolderFixture::TearDown();
    }
    // The pencil panel's sets: kinds (row at y 10) and line styles (y 50) in set 18400, sizes
    // in set 18200 (y 90).
    virtual std::vector<testres::ResContent> contents() const {
        return {{fourCC("MBTN"), 18400, buttonSet({{18401, 4, 18400, 1, 10}, {18450, 9, 0, 3, 50}})},
                {fourCC("MBTN"), 18200, buttonSet({{18201, 4, 18200, 2, 90}})}};
    }
    // Sets the panel up as the easel does, without Init.
    void Attach(Ostrel::RToolPanel& panel) {
        panel.SetCanvasRect(canvas);
        panel.AddListener(&mgr);
    }
    static void Click(Ostrel::RPanel& panel, i16 index, i16 top) {
        const Point16 at{i16(20 + 40 * index), i16(top + 10)};
        panel.HotSpots()->HandleInput(Ostrel::kInputLeftButton, at, 0);
        panel.HotSpots()->HandleMouseUp(Ostrel::kInputLeftButton, at, 0);
    }
    static void Deliver() {
        while (mfDispatcher().DispatchQueuedMessages() != 0) {
        }
    }
    void Stroke(Point16 from, Point16 to) {
        mgr.HandleInput(from, 100);
        mgr.TrackInput(to, 110);
        mgr.EndInput(to, 120);
    }
    int PaintedPixels() const {
        int count = 0;
        for (u16 p : picture) count += p != kRgb555White;
        return count;
    }

    static constexpr i16 kSide = 64;
    std::unique_ptr<Ostrel::Paths> paths;
    ResMapHandle map = 0;
    Rect16 canvas{0, 0, kSide, kSide};
    std::vector<u16> picture;
    RToolMgr mgr;
};

}  // namespace testpanels
