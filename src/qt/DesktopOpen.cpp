#include "qt/DesktopOpen.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace vargis::qt {

namespace {

// How long the opener tool may take to say whether it found a program.
constexpr int kOpenerStartMs = 3000;
constexpr int kOpenerVerdictMs = 3000;

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
bool runOpener(const QString& opener, const QUrl& url) {
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments(
        {url.isLocalFile() && !url.hasFragment() ? url.toLocalFile() : url.toString()});
    // A browser started in the foreground must never block on a full pipe.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kOpenerStartMs)) {
        delete process;
        return false;
    }
    // The windows keep painting while the tool decides; they take no input.
    QEventLoop wait;
    QObject::connect(process, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(kOpenerVerdictMs, &wait, &QEventLoop::quit);
    if (process->state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        // Still running: the tool runs the program it found in the foreground.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    process->deleteLater();
    return opened;
}
#endif

} // namespace

bool openOnDesktop(const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty())
        return runOpener(opener, url);
#endif
    return QDesktopServices::openUrl(url);
}

} // namespace vargis::qt
