#include "platform/print/cups/CupsPrint.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/platform/print/PdfPages.h"
#include "tests/platform/system/ScopedEnv.h"

namespace {

using namespace plat::print;

enum class JobEnd { Finish, Abort, Drop };

// A job for a printer CUPS cannot reach spools into a folder of its own under TMPDIR that only
// the user can enter, and takes file and folder away however it ends.
TEST(CupsPrint, TheSpooledFileLivesInAPrivateFolderAndGoesWithTheJob) {
    testprint::ScratchFolder scratch;
    plat::ScopedEnv temp("TMPDIR", scratch.path());
    // No server listens there, so handing the file over fails.
    plat::ScopedEnv server("CUPS_SERVER", scratch.file("no-server.sock"));
    const std::unique_ptr<PrintBackend> backend = makeCupsPrintBackend();
    PrinterSettings settings;
    settings.device = "Nowhere";
    const uint8_t pixels[2 * 3 * 2] = {};
    const PageImage page{pixels, 2, 2, 6, 72, 72};
    struct Case {
        const char* name;
        JobEnd end;
    };
    const Case cases[] = {{"finished", JobEnd::Finish}, {"aborted", JobEnd::Abort}, {"dropped", JobEnd::Drop}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int error = kSpoolOk;
        std::unique_ptr<PrintJob> job = backend->startJob(settings, "Spooled", nullptr, &error);
        ASSERT_TRUE(job) << error;
        const std::vector<std::string> names = scratch.names();
        ASSERT_EQ(names.size(), 1u);
        struct stat folder {};
        ASSERT_EQ(::stat(scratch.file(names[0]).c_str(), &folder), 0);
        EXPECT_TRUE(S_ISDIR(folder.st_mode));
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
        ASSERT_EQ(job->addPage(page), kSpoolOk);
        if (c.end == JobEnd::Finish) {
            EXPECT_EQ(job->finish(), kSpoolError);
        } else if (c.end == JobEnd::Abort) {
            job->abort();
        }
        job.reset();
        EXPECT_TRUE(scratch.names().empty());
    }
}

}  // namespace
