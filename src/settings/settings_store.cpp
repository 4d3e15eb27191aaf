#include "settings/settings_store.h"

#include <QSettings>
#include <QStringList>
#include <stdexcept>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#endif

const QString SplimeraRegistryKey = QStringLiteral("Software\\Brellow\\Splimera");

namespace {

// A key path "Software\Organisation\Application[\Sub...]" as QSettings sees it.
struct StoreAddress {
    QString organisation;
    QString application;
    QString group;  // the sub-keys below the application, "/"-separated
};

bool addressOf(const QString& key, StoreAddress& address) {
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0) return false;
    address = {parts[1], parts[2], parts.mid(3).join(QLatin1Char('/'))};
    return true;
}

QSettings::Scope scopeOf(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? QSettings::UserScope : QSettings::SystemScope;
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
// replaces, so the password never lies in a file others may read.
void prepareOwnerOnlyFile(const QString& name, const QString& path) {
    const std::filesystem::path file = path.toStdString();
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) failWrite(name, path, QString::fromStdString(error.message()));
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) failWrite(name, path, systemText(errno));
    struct stat status {};
    if (::fstat(fd, &status) == 0 && (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) ::fchmod(fd, S_IRUSR | S_IWUSR);
    ::close(fd);
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

int storedType(const QVariant& stored) {
    switch (stored.typeId()) {
    case QMetaType::QString:
    case QMetaType::QStringList: return RegistryString;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return RegistryInteger;
    case QMetaType::QByteArray: return RegistryBinary;
    default: return -1;  // missing, or a kind this store does not write
    }
}

}  // namespace

QVariant ReadRegistryValue(RegistryRoot root, const QString& key, const QString& name) {
    StoreAddress address;
    if (!addressOf(key, address)) return QString();
    QSettings settings(QSettings::NativeFormat, scopeOf(root), address.organisation, address.application);
    if (!address.group.isEmpty()) settings.beginGroup(address.group);
    const QVariant stored = settings.value(name);
    switch (stored.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QByteArray: return stored;
    // A hand-written text holding commas comes back from the file as a list.
    case QMetaType::QStringList: return stored.toStringList().join(QLatin1Char(','));
    default: return QString();
    }
}

void WriteRegistryValue(RegistryRoot root, const QString& key, const QString& name, const QVariant& value,
                        unsigned char dataType) {
    StoreAddress address;
    if (!addressOf(key, address))
        failWrite(name, key, QStringLiteral("the key is not of the form Software\\Organisation\\Application"));
    QSettings settings(QSettings::NativeFormat, scopeOf(root), address.organisation, address.application);
    const QString location = settings.fileName();
#ifndef _WIN32
    prepareOwnerOnlyFile(name, location);
#endif
    if (!address.group.isEmpty()) settings.beginGroup(address.group);

    const int type = dataType == RegistryKeepType ? storedType(settings.value(name)) : dataType;
    QVariant stored;
    switch (type) {
    case RegistryString:
    case RegistryExpandString: stored = value.toString(); break;
    case RegistryInteger: {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok) failWrite(name, location, QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
        stored = number;
        break;
    }
    case RegistryBinary: stored = value.toByteArray(); break;
    default: failWrite(name, location, QStringLiteral("The configuration registry key could not be written"));
    }

    settings.setValue(name, stored);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
#ifndef _WIN32
        failWrite(name, location, reasonForFailedSync(location));
#else
        failWrite(name, location, QStringLiteral("Access is denied"));
#endif
    }
}

QString readSetting(const QString& name) {
    return ReadRegistryValue(RegistryRoot::CurrentUser, SplimeraRegistryKey, name).toString();
}

void writeSetting(const QString& name, const QString& text) {
    WriteRegistryValue(RegistryRoot::CurrentUser, SplimeraRegistryKey, name, text, RegistryString);
}

QString settingsLocation() {
    StoreAddress address;
    addressOf(SplimeraRegistryKey, address);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, address.organisation, address.application)
        .fileName();
}
