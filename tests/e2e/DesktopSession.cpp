#include "tests/e2e/DesktopSession.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <fstream>
#include <sstream>

namespace pelmar::test {

namespace {

const QString kProgramFolder = QStringLiteral(PELMAR_PROGRAM_FOLDER);
const QString kProgram = kProgramFolder + "/pelmar";
// Room for the 800 by 640 window and a drag.
const QStringList kXvfbArguments{"-displayfd",  "1",         "-screen", "0",
                                 "1024x768x24", "-nolisten", "tcp"};
constexpr int kStartTimeoutMs = 15000;
constexpr int kClientTimeoutMs = 10000;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The sections of a settings file, as the program writes it.
std::map<std::string, std::map<std::string, std::string>> ReadIni(
    const std::filesystem::path& path) {
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::ifstream stream(path);
    std::string line;
    std::string section;
    while (std::getline(stream, line)) {
        line = Trim(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            sections[section][line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return sections;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

DesktopSession::DesktopSession() {
    namespace fs = std::filesystem;
    const fs::path from = kProgramFolder.toStdString();
    for (const char* name : {"config.ini", "Macro_EN.dat", "Macro_CN.dat", "constMacro.dat"}) {
        fs::copy_file(from / name, folder() / name);
    }
    fs::create_directory_symlink(from / "skins", folder() / "skins");
}

DesktopSession::~DesktopSession() {
    for (auto* process : {program_.get(), xserver_.get()}) {
        if (process != nullptr && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

std::string DesktopSession::MissingTools() {
    std::string missing;
    for (const char* tool : {"Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            missing += std::string(missing.empty() ? "" : ", ") + tool;
        }
    }
    return missing;
}

std::filesystem::path DesktopSession::folder() const {
    return folder_.path().toStdString();
}

QProcessEnvironment DesktopSession::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_RUNTIME_DIR", runtime_.path());
    return environment;
}

QString DesktopSession::RunX(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(program, arguments);
    if (!process.waitForFinished(kClientTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool DesktopSession::Start() {
    xserver_ = std::make_unique<QProcess>();
    xserver_->start("Xvfb", kXvfbArguments);
    // The server writes the display number it found free once it listens.
    while (!xserver_->canReadLine()) {
        if (!xserver_->waitForReadyRead(kStartTimeoutMs)) {
            error_ = "Xvfb did not start";
            return false;
        }
    }
    display_ = ":" + QString::fromUtf8(xserver_->readLine()).trimmed();

    program_ = std::make_unique<QProcess>();
    program_->setProcessEnvironment(Environment());
    program_->setProcessChannelMode(QProcess::ForwardedChannels);
    program_->start(
        kProgram, {"--folder", folder_.path(), "--virtual-mouse-log", folder_.filePath("mouse.log"),
                   "--virtual-mouse-control", folder_.filePath("control")});
    if (!program_->waitForStarted()) {
        error_ = "pelmar did not start";
        return false;
    }
    window_ = RunX("xdotool", {"search", "--sync", "--onlyvisible", "--pid",
                               QString::number(program_->processId())})
                  .section('\n', 0, 0);
    if (window_.isEmpty()) {
        error_ = "pelmar showed no window";
        return false;
    }
    return true;
}

QPoint DesktopSession::WindowPosition() {
    // Lines of the form X=..., Y=...
    const QString shell = RunX("xdotool", {"getwindowgeometry", "--shell", window_});
    QPoint position;
    for (const QString& line : shell.split('\n')) {
        if (line.startsWith("X=")) {
            position.setX(line.mid(2).toInt());
        } else if (line.startsWith("Y=")) {
            position.setY(line.mid(2).toInt());
        }
    }
    return position;
}

QPoint DesktopSession::AreaCentre(int area) {
    // Entries: name, x, y, width, height, label.
    const auto layout = ReadIni(folder() / "skins/INI_EN/skin_main_en.ini");
    std::istringstream entry(layout.at("BUTTONPOS").at(std::to_string(area)));
    std::string field;
    std::vector<int> numbers;
    std::getline(entry, field, ',');
    for (int i = 0; i < 4 && std::getline(entry, field, ','); ++i) {
        numbers.push_back(std::stoi(field));
    }
    return WindowPosition() +
           QPoint(numbers.at(0) + numbers.at(2) / 2, numbers.at(1) + numbers.at(3) / 2);
}

void DesktopSession::MoveTo(QPoint screen) {
    RunX("xdotool",
         {"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y())});
}

void DesktopSession::ButtonDown() {
    RunX("xdotool", {"mousedown", "1"});
}

void DesktopSession::ButtonUp() {
    RunX("xdotool", {"mouseup", "1"});
}

void DesktopSession::Click(int area) {
    MoveTo(AreaCentre(area));
    RunX("xdotool", {"click", "1"});
}

void DesktopSession::Control(const std::string& command) {
    std::ofstream pipe(folder() / "control");
    pipe << command << '\n';
}

std::vector<std::string> DesktopSession::Reports() const {
    // Lines: <ms> set <hex bytes>.
    std::vector<std::string> reports;
    std::ifstream log(folder() / "mouse.log");
    std::string line;
    while (std::getline(log, line)) {
        const auto set = line.find(" set ");
        if (set != std::string::npos) {
            reports.push_back(line.substr(set + 5));
        }
    }
    return reports;
}

bool DesktopSession::StartSecondInstance() {
    QProcess second;
    second.setProcessEnvironment(Environment());
    second.start(kProgram, {"--folder", folder_.path()});
    return second.waitForFinished(kClientTimeoutMs) && second.exitCode() == 0;
}

std::map<std::string, std::string> DesktopSession::Section(const std::string& name) const {
    auto sections = ReadIni(configPath());
    return sections[name];
}

}  // namespace pelmar::test
