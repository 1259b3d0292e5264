// The developer's alert names the OpenGL the canvases' renderer draws with, in the program's
// language, the driver's strings put in as they are.
#include <memory>

#include "app/menus/MenuCommands.h"
#include "app/window/RendererAlert.h"
#include "engine/gfx/gl/GlSharedRenderer.h"
#include "platform/gdi/DeviceContext.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class RendererAlert : public testapp::ScreenHarness {};

TEST_F(RendererAlert, NamesTheBoundRenderersVendorRendererAndVersionInEachLanguage) {
    startLoggedIn();
    auto picture = plat::gdi::Surface::create(16, 8, 16);
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *picture);
    GLBitmapRenderer& renderer = glMakeSharedRenderer();
    ASSERT_EQ(renderer.Attach(dc.get(), 16, 8, 0, 0, 16, 8), kGlOk);
    const GlDescription gl = renderer.Describe();
    ASSERT_FALSE(gl.vendor.empty());
    ASSERT_FALSE(gl.version.empty());
    ShowRendererAlert();
    std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Ostrel");
    EXPECT_EQ(shown[0].text, "Who:\t" + gl.vendor + "\nWhich:\t" + gl.renderer + "\nVersion:\t" + gl.version);
    mainWindow->OnCommand(kCmdSwitchLanguage);
    ShowRendererAlert();
    shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Qui", 0), 0u) << shown[0].text;
    for (const std::string& fill : {gl.vendor, gl.renderer, gl.version}) EXPECT_NE(shown[0].text.find("\t" + fill), std::string::npos) << fill;
    renderer.ReleaseContext();
    ShowRendererAlert();
    const std::vector<mfxAlertRecord> unbound = alerts();
    ASSERT_EQ(unbound.size(), 1u);
    EXPECT_EQ(unbound[0].text.find(gl.vendor), std::string::npos);
}

}  // namespace
