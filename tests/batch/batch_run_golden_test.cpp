// One run over a tree of awkward names, compared byte for byte: list.tmp and do.bat must stay
// exactly what they are however the listing and the run are made faster.

#include <gtest/gtest.h>

#include <string>

#include "batch/batch_run.h"
#include "batch/list_text.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_platform.h"

namespace {

TEST(BatchRunGolden, ListAndBatchFileOfATreeWithAwkwardNames) {
    test_support::TempDrive drive;
    auto& tree = drive.tree();
    tree.add({"tool/",
              "out/",
              "scans/A.tif",
              "scans/a.tif",
              "scans/b.TIF",
              "scans/_u.tif",
              "scans/Zz.tif",
              "scans/ä.tif",
              "scans/10.tif",
              "scans/9.tif",
              "scans/plan.tar.gz",
              "scans/x.tif.1",
              "scans/Bericht.final.tif",
              "scans/noext",
              "scans/.hidden.tif",
              "scans/.git/x.tif",
              "scans/bad|name.tif",
              "scans/my scans & 100% Ärger/Grüße (1).tif",
              "scans/my scans & 100% Ärger/c,d;e=f.tif",
              "scans/old.tif/inner.tif",
              "scans/Sub/deep/deeper.tif",
              "scans/sub2/",
              "scans/target/t.tif"});
    tree.addLink("scans/link.tif", "A.tif");
    tree.addLink("scans/linkdir", "target");
    tree.addLink("scans/dangling.tif", "nowhere");

    test_support::RecordingView view;
    batch::BatchRun(drive.platform(), view, {R"(C:\scans)", R"(C:\out)", "tif", 0, "echo"},
                    R"(C:\tool)");

    EXPECT_EQ(batch::ListLineText(tree.read("tool/list.tmp")),  // UTF-16, as cmd /u writes it
              "C:\\scans\\10.tif\r\n"
              "C:\\scans\\9.tif\r\n"
              "C:\\scans\\A.tif\r\n"
              "C:\\scans\\a.tif\r\n"
              "C:\\scans\\b.TIF\r\n"
              "C:\\scans\\Bericht.final.tif\r\n"
              "C:\\scans\\dangling.tif\r\n"
              "C:\\scans\\link.tif\r\n"
              "C:\\scans\\linkdir\r\n"
              "C:\\scans\\my scans & 100% Ärger\r\n"
              "C:\\scans\\noext\r\n"
              "C:\\scans\\old.tif\r\n"
              "C:\\scans\\plan.tar.gz\r\n"
              "C:\\scans\\Sub\r\n"
              "C:\\scans\\sub2\r\n"
              "C:\\scans\\target\r\n"
              "C:\\scans\\x.tif.1\r\n"
              "C:\\scans\\Zz.tif\r\n"
              "C:\\scans\\_u.tif\r\n"
              "C:\\scans\\ä.tif\r\n"
              "C:\\scans\\my scans & 100% Ärger\\c,d;e=f.tif\r\n"
              "C:\\scans\\my scans & 100% Ärger\\Grüße (1).tif\r\n"
              "C:\\scans\\old.tif\\inner.tif\r\n"
              "C:\\scans\\Sub\\deep\r\n"
              "C:\\scans\\Sub\\deep\\deeper.tif\r\n"
              "C:\\scans\\target\\t.tif\r\n");

    // Paths that cmd would split are quoted, % doubled; a link's own name is what is listed.
    EXPECT_EQ(tree.read("tool/do.bat"),
              "cmd /c echo C:\\scans\\10.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\9.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\A.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\a.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\dangling.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\link.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\x.tif.1 C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\Zz.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\_u.tif C:\\scans\\\r\n"
              "cmd /c echo C:\\scans\\ä.tif C:\\scans\\\r\n"
              "cmd /c echo \"C:\\scans\\my scans & 100\"%%\" Ärger\\c,d;e=f.tif\" "
              "\"C:\\scans\\my scans & 100\"%%\" Ärger\\\\\"\r\n"
              "cmd /c echo \"C:\\scans\\my scans & 100\"%%\" Ärger\\Grüße (1).tif\" "
              "\"C:\\scans\\my scans & 100\"%%\" Ärger\\\\\"\r\n"
              "cmd /c echo C:\\scans\\old.tif\\inner.tif C:\\scans\\old.tif\\\r\n"
              "cmd /c echo C:\\scans\\Sub\\deep\\deeper.tif C:\\scans\\Sub\\deep\\\r\n"
              "cmd /c echo C:\\scans\\target\\t.tif C:\\scans\\target\\\r\n");
    EXPECT_EQ(view.status, " 15 Dateien wurden verarbeitet");
}

}  // namespace
