// formrun: times the main window's run against the headless run in one process, on the
// offscreen platform: Form1's start button (Command1_Click) with every message confirmed at
// once, and batch::BatchRun with a view that only keeps the status text. Each is run REPEAT
// times, alternately, with do.bat removed before each run; the best times are compared.

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "batch/batch_run.h"
#include "platform/posix/posix_platform.h"
#include "ui/main/form1.h"
#include "ui/main/messages.h"
#include "ui/main/settings_store.h"

namespace {

class ConfirmingMessages : public ui::mainwindow::Messages {
  public:
    void show(const QString& text) override { last = text; }
    QString last;
};

class HeadlessView : public batch::RunView {
  public:
    void setStatus(std::string_view text) override { status.assign(text); }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showMessage(std::string_view) override {}
    std::string status;
};

// The best times of the headless run and the window's run over the same tree, alternated.
struct Timings {
    double window = 1e9;
    double headless = 1e9;
    QString windowStatus;
    std::string headlessStatus;
};

Timings TimeBoth(platform::Platform& platform, ui::mainwindow::Form1& form,
                 const batch::RunSettings& runSettings, const std::filesystem::path& doBat,
                 int repeat) {
    Timings best;
    for (int i = 0; i < repeat; ++i) {
        std::filesystem::remove(doBat);
        QElapsedTimer timer;
        timer.start();
        HeadlessView view;
        batch::BatchRun(platform, view, runSettings, platform.programFolder());
        best.headless = std::min(best.headless, timer.nsecsElapsed() / 1e9);
        best.headlessStatus = view.status;

        std::filesystem::remove(doBat);
        timer.restart();
        form.Command1_Click();
        best.window = std::min(best.window, timer.nsecsElapsed() / 1e9);
        best.windowStatus = form.lblStatus->text();
    }
    std::filesystem::remove(doBat);
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: formrun DRIVE_C_FOLDER 'C:\\tree' [REPEAT]\n"
                     "runs over C:\\tree with the program folder C:\\tool and output C:\\out\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir config;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());

    const std::filesystem::path root = std::filesystem::absolute(argv[1]);
    const std::string start = argv[2];
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 3;
    platform::posix::DriveMap drives;
    drives.add('C', root);
    platform::posix::PosixPlatform platform(drives, root / "tool", root);
    const std::filesystem::path doBat = root / "tool" / "do.bat";

    ConfirmingMessages messages;
    ui::mainwindow::SettingsStore settings;
    ui::mainwindow::Form1 form(platform, messages, settings);
    form.show();
    form.StartDir->setText(QString::fromStdString(start));
    form.txtOptDir->setText("C:\\out");
    form.txtExtension->setText("tif");
    form.txtDosCmd->setText("test");
    form.Check1->setChecked(false);

    const batch::RunSettings runSettings{start, "C:\\out", "tif", 0, "test"};
    const Timings best = TimeBoth(platform, form, runSettings, doBat, repeat);
    std::printf("headless run (BatchRun)  %.3f s  status \"%s\"\n", best.headless,
                best.headlessStatus.c_str());
    std::printf("window run (Command1)    %.3f s  status \"%s\"\n", best.window,
                best.windowStatus.toStdString().c_str());
    std::printf("window / headless        %.2f (best of %d each)\n", best.window / best.headless,
                repeat);
    return QString::fromStdString(best.headlessStatus) == best.windowStatus ? 0 : 1;
}
