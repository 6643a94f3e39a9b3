#include "qt/QtPlatform.h"

#include "base/Errors.h"
#include "qt/ChartView.h"
#include "qt/DesktopOpen.h"
#include "qt/FrontEnd.h"
#include "qt/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QSpacerItem>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace vargis::qt {

namespace {

// Paint events of a long command are let through in steps this long.
constexpr int kPaintStepMs = 10;
// A repaint request closer to the previous one than this is skipped.
constexpr int kRepaintThrottleMs = 20;
// Longest wait for a sound played to its end.
// The tick sound lasts a quarter of a second; a device that never starts
// playing must not hold the window longer than this.
constexpr int kSoundWaitLimitMs = 3000;
constexpr int kSoundStartLimitMs = 1000;

void processPaintEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A window manager draws the title in a bold face somewhat larger than the
// text's, beside the window's icon and its three buttons; a box too narrow for
// that cuts its title short.
constexpr double kTitleFontScale = 1.25;
constexpr int kTitleBarRoom = 150;

int titleWidth(const QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * kTitleFontScale);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
}

// The box is at least as wide as its whole title.
void widenForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(titleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int runBox(QMessageBox& box) {
    widenForTitle(box);
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(QStringLiteral("Да"));
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("Нет"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("Отмена"));
    return box.exec();
}

// Qt's own file dialog opens large enough for its columns: the name takes
// the room left by the size, kind and date, each as wide as what it shows.
constexpr int kFileDialogWidth = 760;
constexpr int kFileDialogHeight = 460;

void fitFileDialog(QFileDialog& dialog) {
    dialog.resize(std::max(dialog.width(), kFileDialogWidth),
                  std::max(dialog.height(), kFileDialogHeight));
    for (auto* view : dialog.findChildren<QTreeView*>()) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

QUrl urlFor(const std::string& target) {
    QString text = toQ(target);
    if (text.contains(QStringLiteral("://")) || text.startsWith(QStringLiteral("mailto:")))
        return QUrl(text);
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // "page.htm#anchor": the anchor is the fragment of the file's address.
    QString fragment;
    if (const qsizetype hash = text.indexOf(QLatin1Char('#')); hash >= 0) {
        fragment = text.mid(hash + 1);
        text = text.left(hash);
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

} // namespace

QtPlatform::QtPlatform() {
    sinceRepaint_.start();
}

QtPlatform::~QtPlatform() = default;

QSize QtPlatform::defaultChartSize() {
    return QSize(640, 400);
}

void QtPlatform::syncWindows() {
    if (front_)
        front_->syncAll();
}

QWidget* QtPlatform::dialogParent() const {
    return QApplication::activeWindow();
}

void QtPlatform::showInformation(const std::string& text) {
    syncWindows();
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), displayText(text),
                    QMessageBox::Ok, dialogParent());
    runBox(box);
}

bool QtPlatform::askYesNo(const std::string& text) {
    syncWindows();
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), displayText(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    return runBox(box) == QMessageBox::Yes;
}

ui::Answer QtPlatform::askYesNoCancel(const std::string& text) {
    syncWindows();
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), displayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (runBox(box)) {
    case QMessageBox::Yes:
        return ui::Answer::Yes;
    case QMessageBox::No:
        return ui::Answer::No;
    default:
        return ui::Answer::Cancel;
    }
}

void QtPlatform::showMessage(const std::string& text) {
    syncWindows();
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), displayText(text),
                    QMessageBox::Ok, dialogParent());
    runBox(box);
}

void QtPlatform::showError(const std::string& text) {
    syncWindows();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), displayText(text),
                    QMessageBox::Ok, dialogParent());
    runBox(box);
}

void QtPlatform::beep(ui::Beep) {
    QApplication::beep();
}

QSoundEffect& QtPlatform::sound() {
    if (!sound_)
        sound_ = std::make_unique<QSoundEffect>();
    return *sound_;
}

void QtPlatform::playSoundLoop(const std::string& wavPath) {
    QSoundEffect& effect = sound();
    effect.stop();
    effect.setSource(urlFor(wavPath));
    effect.setLoopCount(QSoundEffect::Infinite);
    effect.play();
}

void QtPlatform::playSoundOnce(const std::string& wavPath) {
    QSoundEffect& effect = sound();
    effect.stop();
    effect.setSource(urlFor(wavPath));
    effect.setLoopCount(1);

    // Plays to the end before returning, as the command waits for it; the
    // windows keep painting meanwhile but take no input.
    QEventLoop wait;
    bool started = false;
    QObject::connect(&effect, &QSoundEffect::playingChanged, &wait, [&] {
        if (effect.isPlaying())
            started = true;
        else if (started)
            wait.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &wait, [&] {
        if (effect.status() == QSoundEffect::Error)
            wait.quit();
    });
    QTimer::singleShot(kSoundWaitLimitMs, &wait, &QEventLoop::quit);
    QTimer::singleShot(kSoundStartLimitMs, &wait, [&] {
        if (!started)
            wait.quit();
    });
    effect.play();
    if (effect.isPlaying())
        started = true;
    if (effect.status() == QSoundEffect::Error)
        return;
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::stopSound() {
    if (sound_)
        sound_->stop();
}

bool QtPlatform::openWithShell(const std::string& target) {
    return openOnDesktop(urlFor(target));
}

std::string QtPlatform::chooseFileToOpen(const std::string& title, const std::string& filter) {
    syncWindows();
    QFileDialog dialog(dialogParent(), toQ(title), QString(), toQ(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    fitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return fromQ(dialog.selectedFiles().constFirst());
}

std::string QtPlatform::chooseFileToSave(const std::string& title, const std::string& filter) {
    syncWindows();
    QFileDialog dialog(dialogParent(), toQ(title), QString(), toQ(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    fitFileDialog(dialog);
    // A name typed without an extension takes the first kind offered ("*.txt").
    const QString filters = toQ(filter);
    const qsizetype star = filters.indexOf(QStringLiteral("*."));
    if (star >= 0) {
        qsizetype end = star + 2;
        while (end < filters.size() && filters[end].isLetterOrNumber())
            ++end;
        dialog.setDefaultSuffix(filters.mid(star + 2, end - star - 2));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return fromQ(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtPlatform::askText(const std::string& title, const std::string& prompt,
                                               const std::string& initial) {
    syncWindows();
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(toQ(title));
    dialog.setLabelText(toQ(prompt));
    dialog.setTextValue(toQ(initial));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQ(dialog.textValue());
}

void QtPlatform::popupMenu(const std::string& form, const std::string& menu, int dy) {
    if (!front_)
        return;
    syncWindows();
    front_->showMenu(form, menu, QCursor::pos() + QPoint(0, dy));
}

void QtPlatform::sleepMs(int ms) {
    syncWindows();
    QElapsedTimer elapsed;
    elapsed.start();
    processPaintEvents();
    for (qint64 left = ms - elapsed.elapsed(); left > 0; left = ms - elapsed.elapsed()) {
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kPaintStepMs)));
        processPaintEvents();
    }
    sinceRepaint_.restart();
}

void QtPlatform::repaint() {
    if (sinceRepaint_.elapsed() < kRepaintThrottleMs)
        return;
    syncWindows();
    processPaintEvents();
    sinceRepaint_.restart();
}

void QtPlatform::beginStoppable(const std::string& text) {
    syncWindows();
    stopAsked_ = false;
    QWidget* main = front_ ? front_->mainWindow() : nullptr;
    stopWindow_ = std::make_unique<QDialog>(main ? main : dialogParent());
    QDialog& window = *stopWindow_;
    window.setWindowTitle(QApplication::applicationName());
    // Modal: while the command runs, only this window takes input.
    window.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(toQ(text), &window));
    auto* stop = new QPushButton(QStringLiteral("Стоп"), &window);
    stop->setDefault(true);
    layout->addWidget(stop, 0, Qt::AlignHCenter);
    // Esc and the window's close button reject the dialog: a stop as well.
    QObject::connect(stop, &QPushButton::clicked, &window, &QDialog::reject);
    QObject::connect(&window, &QDialog::rejected, &window, [this] { stopAsked_ = true; });
    window.setMinimumWidth(360);
    // Low on the right of the main window, off the progress bar beside the
    // pages. The place is given before the window shows, so that it appears
    // there once: a window moved after it showed is seen in both places while
    // the command keeps the old place from being repainted.
    window.adjustSize();
    if (const QWidget* parent = window.parentWidget()) {
        const QRect area = parent->frameGeometry();
        window.move(area.left() + area.width() * 3 / 4 - window.width() / 2,
                    area.top() + area.height() * 3 / 4 - window.height() / 2);
    }
    window.show();
    processPaintEvents();
    sinceRepaint_.restart();
}

bool QtPlatform::stopRequested() {
    if (sinceRepaint_.elapsed() >= kRepaintThrottleMs) {
        syncWindows();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        sinceRepaint_.restart();
    }
    return stopAsked_;
}

void QtPlatform::endStoppable() {
    stopWindow_.reset();
    stopAsked_ = false;
}

ui::DateTime QtPlatform::now() {
    const QDateTime current = QDateTime::currentDateTime();
    const QDate date = current.date();
    const QTime time = current.time();
    return ui::DateTime{date.year(), date.month(),  date.day(),
                        time.hour(), time.minute(), time.second()};
}

void QtPlatform::saveChartBitmap(const ui::Chart& chart, const std::string& path) {
    QSize size = front_ ? front_->chartSize() : QSize();
    if (!size.isValid() || size.isEmpty())
        size = defaultChartSize();
    const QImage image = ChartView::renderImage(chart, size);
    if (!image.save(toQ(path), "BMP"))
        throw FileError("Не удалось записать файл " + path);
}

void QtPlatform::quit() {
    QApplication::quit();
}

} // namespace vargis::qt
