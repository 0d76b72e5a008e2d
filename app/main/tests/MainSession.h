// One program session for window tests: its settings file, recorded messages, scripted desktop
// and the main window, shown on the offscreen platform.
#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include "TMainForm.h"
#include "TestDesktop.h"

namespace keldar::test {

inline QString ExampleFile(const QString& name) {
    return qEnvironmentVariable("KELDAR_SOURCE_DIR") + QStringLiteral("/examples/") + name;
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A test's folder: its settings file and copies of the examples. Opening a project makes its
// folder current: cleanup() puts the first one back.
class TestFolder {
  public:
    void init() {
        startFolder_ = QDir::currentPath();
        QFile::remove(settingsFile());
    }
    void cleanup() { QDir::setCurrent(startFolder_); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }
    // A fresh copy of an example, without the run files of an earlier copy.
    QString copyExample(const QString& name) {
        const QString target = path(name);
        for (const char* extension : {".kd3d", ".kd3o", ".kd3p", ".kd3r"})
            QFile::remove(ChangeFileExt(target, QLatin1String(extension)));
        if (!QFile::copy(ExampleFile(name), target)) qFatal("cannot copy %s", qPrintable(name));
        return target;
    }

  private:
    QTemporaryDir dir_;
    QString startFolder_;
};

// One program session: its settings file, messages, desktop and main window.
struct Session {
    explicit Session(const QString& settingsFile, const QString& programFolder = KELDAR_ENGINE_DIR,
                     const QString& commandLine = {}, const QString& updateBase = {})
        : settings(settingsFile, QSettings::IniFormat),
          form(TMainForm::Services{desktop, settings, programFolder, updateBase}, commandLine) {
        form.show();
    }

    const TMainActions& actions() const { return form.Actions(); }
    QStringList texts() const {
        QStringList list;
        for (const auto& message : desktop.messages()) list.append(message.text);
        return list;
    }
    void open(const QString& fileName, int filter = 0) {
        desktop.queueOpen(fileName, filter);
        form.FileOpenClick();
    }

    TestDesktop desktop;
    QSettings settings;
    TMainForm form;
};

}  // namespace keldar::test
