#pragma once
// The platform of the desktop program: Qt message boxes, beeps and WAV
// playback, the desktop's "open", pauses that keep the windows painted, the
// clock and the chart saved as a bitmap.

#include "ui/Platform.h"

#include <QElapsedTimer>
#include <QSize>
#include <memory>

class QDialog;
class QSoundEffect;
class QWidget;

namespace vargis::qt {

class FrontEnd;

class QtPlatform : public ui::Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    // The windows to bring up to date before a dialog, a pause or a repaint.
    void setFrontEnd(FrontEnd* front) { front_ = front; }

    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    ui::Answer askYesNoCancel(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;

    void beep(ui::Beep kind) override;
    void playSoundLoop(const std::string& wavPath) override;
    void playSoundOnce(const std::string& wavPath) override;
    void stopSound() override;

    bool openWithShell(const std::string& target) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override;
    std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    void popupMenu(const std::string& form, const std::string& menu, int dy) override;

    void sleepMs(int ms) override;
    void repaint() override;
    void beginStoppable(const std::string& text) override;
    bool stopRequested() override;
    void endStoppable() override;

    ui::DateTime now() override;

    void saveChartBitmap(const ui::Chart& chart, const std::string& path) override;

    void quit() override;

    // The size a chart is saved at when no window shows one.
    static QSize defaultChartSize();

private:
    void syncWindows();
    QWidget* dialogParent() const;
    QSoundEffect& sound();

    FrontEnd* front_ = nullptr;
    std::unique_ptr<QSoundEffect> sound_;
    QElapsedTimer sinceRepaint_;
    // The window with "Стоп" of a long command the user may stop.
    std::unique_ptr<QDialog> stopWindow_;
    bool stopAsked_ = false;
};

} // namespace vargis::qt
