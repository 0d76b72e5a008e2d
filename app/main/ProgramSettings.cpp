#include "ProgramSettings.h"

#include <QStringList>

#include "WindowTitle.h"

namespace keldar {

namespace {

const QString kWordProcessor = QStringLiteral("Word Processor");
const QString kUserName = QStringLiteral("User Name");
const QString kOrganisation = QStringLiteral("Organisation");
const QString kContactName = QStringLiteral("Contact Name");
const QString kUserNumber = QStringLiteral("User Number");
const QString kShowReportAfterRun = QStringLiteral("Show Report After Run");

QString FileKey(int number) { return QStringLiteral("File") + QString::number(number); }

class GroupScope {
  public:
    explicit GroupScope(QSettings& store) : store_(store) {
        store_.beginGroup(QLatin1String(kProgramVersion));
    }
    ~GroupScope() { store_.endGroup(); }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

  private:
    QSettings& store_;
};

}  // namespace

QString LoginName() {
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) return name;
    }
    return {};
}

bool ReadProgramSettings(QSettings& store, TProgramSettings& settings) {
    settings.User.UserName = LoginName();
    settings.User.ContactName = LoginName();
    if (store.status() != QSettings::NoError) {
        settings.EditorPath.clear();
        settings.RecentFiles.Clear();
        return false;
    }
    GroupScope group(store);
    const QString editor = store.value(kWordProcessor).toString();
    if (!editor.isEmpty()) settings.EditorPath = editor;
    QStringList files;
    for (int number = 1; number <= TRecentFiles::kCapacity; ++number) {
        files.append(store.value(FileKey(number)).toString());
    }
    settings.RecentFiles.Assign(files);
    settings.User.UserName = store.value(kUserName, settings.User.UserName).toString();
    settings.User.Organisation = store.value(kOrganisation).toString();
    settings.User.ContactName = store.value(kContactName, settings.User.ContactName).toString();
    // The engine reads the number as a 32-bit integer: one it cannot read is not used.
    const qint64 number = store.value(kUserNumber, 0).toLongLong();
    settings.User.Number = number >= 0 && number <= kMaxUserNumber ? number : 0;
    settings.ShowReportAfterRun = store.value(kShowReportAfterRun, false).toBool();
    return true;
}

void WriteProgramSettings(QSettings& store, const TProgramSettings& settings) {
    GroupScope group(store);
    store.setValue(kWordProcessor, settings.EditorPath);
    const TRecentFiles& recent = settings.RecentFiles;
    for (int number = 1; number <= TRecentFiles::kCapacity; ++number) {
        store.setValue(FileKey(number),
                       number <= recent.Count() ? recent.Entry(number - 1) : QString());
    }
    store.setValue(kUserName, settings.User.UserName);
    store.setValue(kOrganisation, settings.User.Organisation);
    store.setValue(kContactName, settings.User.ContactName);
    store.setValue(kUserNumber, settings.User.Number);
    store.setValue(kShowReportAfterRun, settings.ShowReportAfterRun);
    store.sync();
}

}  // namespace keldar
