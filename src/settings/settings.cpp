#include "settings/settings.h"

#include <QSettings>
#include <QStringList>
#include <stdexcept>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#endif

#include "base/application.h"
#include "settings/keyring.h"
#include "settings/stored_values.h"

namespace {

QSettings store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(settingName::Organisation),
                     QString::fromLatin1(ApplicationName));
}

// A stored value as text.
std::string storedText(const QSettings& settings, const std::string& name) {
    const QVariant stored = settings.value(QString::fromStdString(name));
    switch (stored.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QByteArray: return stored.toString().toStdString();
    // A hand-written text holding commas comes back from the file as a list.
    case QMetaType::QStringList: return stored.toStringList().join(QLatin1Char(',')).toStdString();
    default: return {};
    }
}

SettingReader readerOf(const QSettings& settings) {
    return [&settings](const std::string& name) { return storedText(settings, name); };
}

[[noreturn]] void failWrite(const QString& name, const QString& location, const QString& reason) {
    throw std::runtime_error(QStringLiteral("Unable to save the setting \"%1\" in %2: %3")
                                 .arg(name, location, reason)
                                 .toStdString());
}

#ifndef _WIN32
QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Makes sure the settings file exists and is readable and writable by its
// owner only before anything is written into it. QSettings replaces the file
// through a temporary copy that takes over the permissions of the file it
// replaces, so the password never lies in a file others may read. Returns
// true when the file was open to others until now.
bool prepareOwnerOnlyFile(const QString& name, const QString& path) {
    const std::filesystem::path file = path.toStdString();
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) failWrite(name, path, QString::fromStdString(error.message()));
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) failWrite(name, path, systemText(errno));
    struct stat status {};
    const bool open = ::fstat(fd, &status) == 0 && (status.st_mode & (S_IRWXG | S_IRWXO)) != 0;
    if (open) ::fchmod(fd, S_IRUSR | S_IWUSR);
    ::close(fd);
    return open;
}

// QSettings only says that the write failed; the system says why.
QString reasonForFailedSync(const QString& path) {
    const std::filesystem::path file = path.toStdString();
    const std::filesystem::path folder = file.parent_path();
    if (::access(folder.c_str(), W_OK) != 0) return systemText(errno);
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return systemText(errno);
    ::close(fd);
    return QStringLiteral("the file could not be written");
}
#endif

std::string& pendingNote() {
    static std::string note;
    return note;
}

void addNote(const std::string& text) {
    std::string& note = pendingNote();
    note += (note.empty() ? "" : "\n") + text;
}

}  // namespace

// One look at the store for all four values: every job starts here.
Protection Settings::protection() const {
    const QSettings settings = store();
    return protectionFrom(readerOf(settings));
}

std::string Settings::read(const std::string& name) const {
    if (name != OutputPasswordName) return readFromStore(name);
    try {
        return storedOutputPassword();
    } catch (const keyring::Unavailable&) {
        return "";
    }
}

void Settings::write(const std::string& name, const std::string& text) {
    if (name == OutputPasswordName)
        storeOutputPassword(text);
    else
        writeToStore(name, text);
}

std::string Settings::storedOutputPassword() const {
    const QSettings settings = store();
    return outputPasswordFrom(readerOf(settings));
}

// A password that was in the file (written where no keyring answered, or by
// an older version) moves into the keyring with this write.
void Settings::storeOutputPassword(const std::string& password) {
    const std::string entry = readFromStore(OutputPasswordKeyringName);
    if (password.empty()) {
        if (!entry.empty()) {
            try {
                keyring::remove(entry);
            } catch (const keyring::Unavailable&) {
                // Forgotten by the store all the same: no job reads it again.
            }
            writeToStore(OutputPasswordKeyringName, "");
        }
        writeToStore(OutputPasswordName, "");
        return;
    }
    try {
        keyring::write(OutputPasswordName, password);
    } catch (const keyring::Unavailable& error) {
        writeToStore(OutputPasswordName, password);
        if (!entry.empty()) writeToStore(OutputPasswordKeyringName, "");
        addNote(std::string("No keyring answered (") + error.what() + "); the output password is kept in " +
                location().toStdString() + ", readable by you only");
        return;
    }
    writeToStore(OutputPasswordKeyringName, OutputPasswordName);
    writeToStore(OutputPasswordName, "");
}

std::string Settings::readFromStore(const std::string& name) const { return storedText(store(), name); }

void Settings::writeToStore(const std::string& name, const std::string& text) {
    QSettings settings = store();
    const QString key = QString::fromStdString(name);
    const QString location = settings.fileName();
#ifndef _WIN32
    if (prepareOwnerOnlyFile(key, location))
        addNote("The settings file " + location.toStdString() +
                        " could be read by other users; it is now readable by you only");
#endif
    settings.setValue(key, QString::fromStdString(text));
    settings.sync();
    if (settings.status() != QSettings::NoError) {
#ifndef _WIN32
        failWrite(key, location, reasonForFailedSync(location));
#else
        failWrite(key, location, QStringLiteral("Access is denied"));
#endif
    }
}

QString Settings::location() { return store().fileName(); }

std::string Settings::takeNote() { return std::exchange(pendingNote(), std::string()); }
