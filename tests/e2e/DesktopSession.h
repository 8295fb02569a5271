#pragma once

#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pelmar::test {

// The real executable as a user meets it: on an X server of its own (Xvfb),
// in a program folder of its own with the build's settings, macro files and
// skins, with the virtual mouse's log and control pipe in that folder. Input
// comes from xdotool at positions read from the skin's layout file.
class DesktopSession {
  public:
    DesktopSession();
    // Ends the program and the X server.
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // The programs the session needs that are not installed, empty when none.
    static std::string MissingTools();

    std::filesystem::path folder() const;
    std::filesystem::path configPath() const { return folder() / "config.ini"; }

    // Starts the X server and the program and waits for its window; false
    // with the reason in error() when that fails.
    bool Start();
    const std::string& error() const { return error_; }

    // The window's top-left corner on the screen.
    QPoint WindowPosition();
    // Screen position of the centre of a main-page area.
    QPoint AreaCentre(int area);
    // Moves the pointer onto a main-page area and clicks the left button.
    void Click(int area);
    // Pointer and left button at screen positions.
    void MoveTo(QPoint screen);
    void ButtonDown();
    void ButtonUp();

    // Sends one line to the virtual mouse's control pipe ("click 6").
    void Control(const std::string& command);
    // The feature reports the virtual mouse took, in order, as lowercase hex.
    std::vector<std::string> Reports() const;
    // Starts the program a second time, which restores the first one's window
    // and ends.
    bool StartSecondInstance();

    // One section of the settings file, key to value.
    std::map<std::string, std::string> Section(const std::string& name) const;

  private:
    QProcessEnvironment Environment() const;
    // Runs an X client to its end; its standard output.
    QString RunX(const QString& program, const QStringList& arguments);

    QTemporaryDir folder_;
    QTemporaryDir runtime_;  // the program's runtime folder (single-instance socket)
    std::unique_ptr<QProcess> xserver_;
    std::unique_ptr<QProcess> program_;
    QString display_;
    QString window_;
    std::string error_;
};

// Polls `condition` until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

}  // namespace pelmar::test
