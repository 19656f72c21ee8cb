#include "platform/qt_settings_backend.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include "model/settings_keys.h"
#include "platform/cp1252.h"
#include "platform/services.h"

namespace trevanor {
namespace {

const QString kIntPrefix = QStringLiteral("dword:");
const QString kTextPrefix = QStringLiteral("sz:");

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

#ifdef Q_OS_WIN
// In the registry a path is the text of the path, and a MAP's key the text of
// its file name, whatever the model's encoding of paths: written by older
// versions (code page 1252, forward slashes) they read as the same paths.
bool isPath(const std::string& name) {
    const auto is = [&name](const char* path) { return sameName(QString::fromLatin1(name.c_str()), QLatin1String(path)); };
    for (int k = 1; k <= setting::kRecentFiles; ++k)
        if (is(numbered(setting::Recent_file.name, k).c_str())) return true;
    return is(setting::Autoload_map_file.name) || is(setting::First_report.name);
}
QString keyText(const std::string& key) { return path_text(key); }
QString valueText(const std::string& name, const std::string& value) {
    return isPath(name) ? path_text(value) : fromCp1252(value);
}
std::string valueBytes(const std::string& name, const QString& text) {
    return isPath(name) ? path_bytes(text) : toCp1252(text);
}
#else
QString keyText(const std::string& key) { return fromCp1252(key); }
QString valueText(const std::string&, const std::string& value) { return fromCp1252(value); }
std::string valueBytes(const std::string&, const QString& text) { return toCp1252(text); }
#endif

// A key or value name as stored: without the characters QSettings reads as
// group separators.
QString escaped(const QString& text) {
    if (text.isEmpty()) return QStringLiteral("|");
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'|': out += QStringLiteral("|7C"); break;
        case u'/': out += QStringLiteral("|2F"); break;
        case u'\\': out += QStringLiteral("|5C"); break;
        default: out += c; break;
        }
    }
    return out;
}
QString storedName(const std::string& name) { return escaped(fromCp1252(name)); }
QString storedKey(const std::string& key) { return escaped(keyText(key)); }

QString joinPath(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + u'/' + name;
}

SettingsReadError typeError(const std::string& name) {
    return SettingsReadError("Invalid data type for '" + name + "'");
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// "dword:" and one to eight hexadecimal digits: the program writes eight, a
// player editing the file by hand may write "dword:1".
bool parseDword(const QString& text, std::int32_t& value) {
    if (!text.startsWith(kIntPrefix, Qt::CaseInsensitive)) return false;
    const qsizetype digits = text.size() - kIntPrefix.size();
    if (digits < 1 || digits > 8) return false;
    std::uint32_t bits = 0;
    for (qsizetype i = kIntPrefix.size(); i < text.size(); ++i) {
        const int digit = hexDigit(text.at(i));
        if (digit < 0) return false;
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

QString formatDword(std::int32_t value) {
    return kIntPrefix + QStringLiteral("%1").arg(static_cast<std::uint32_t>(value), 8, 16, QChar(u'0'));
}

#ifndef Q_OS_WIN
QString userIniPath() {
    // Beside where QSettings keeps this organisation's INI files (this honours
    // XDG_CONFIG_HOME and QSettings::setPath), named Trevanor.conf.
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellam"),
                          QStringLiteral("Trevanor"));
    return QFileInfo(probe.fileName()).absolutePath() + QStringLiteral("/Trevanor.conf");
}
#endif

}  // namespace

QtSettingsBackend::QtSettingsBackend() {
#ifdef Q_OS_WIN
    location_ = QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Pellam\\Trevanor");
    typedStore_ = true;
#else
    location_ = userIniPath();
#endif
    reopen();
}

QtSettingsBackend::QtSettingsBackend(const QString& iniPath) : location_(iniPath) {
    reopen();
}

QtSettingsBackend::~QtSettingsBackend() = default;

QString QtSettingsBackend::fileName() const {
    return settings_->fileName();
}

// Also used after a failed write, which leaves QSettings reporting AccessError
// for good: a fresh object starts clean, so a store that has become writable
// again is seen as such. The old object writes what it still holds as it goes.
void QtSettingsBackend::reopen() {
    settings_.reset();
    settings_ = std::make_unique<QSettings>(location_, typedStore_ ? QSettings::NativeFormat : QSettings::IniFormat);
}

// The stored groups that spell `key`: one, or none when missing. A file edited
// by hand may hold more than one spelling; all of them count as the key.
std::vector<QString> QtSettingsBackend::groupsOf(const std::string& key) const {
    if (key.empty()) return {QString()};
    const QString wanted = storedKey(key);
    std::vector<QString> groups;
    for (const QString& group : settings_->childGroups()) {
        if (sameName(group, wanted)) groups.push_back(group);
    }
    return groups;
}

// Full paths of the stored values that spell `name` in `key`, first one first.
std::vector<QString> QtSettingsBackend::valuePaths(const std::string& key, const std::string& name) const {
    const QString wanted = storedName(name);
    std::vector<QString> paths;
    for (const QString& group : groupsOf(key)) {
        if (!group.isEmpty()) settings_->beginGroup(group);
        const QStringList names = settings_->childKeys();
        if (!group.isEmpty()) settings_->endGroup();
        for (const QString& stored : names) {
            if (sameName(stored, wanted)) paths.push_back(joinPath(group, stored));
        }
    }
    return paths;
}

bool QtSettingsBackend::isGroup(const QString& path) const {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) return settings_->childGroups().contains(path);
    settings_->beginGroup(path.left(slash));
    const bool found = settings_->childGroups().contains(path.mid(slash + 1));
    settings_->endGroup();
    return found;
}

QVariant QtSettingsBackend::read(const std::string& key, const std::string& name) const {
    const std::vector<QString> paths = valuePaths(key, name);
    if (paths.empty()) throw SettingsReadError("Missing value '" + name + "'");
    return settings_->value(paths.front());
}

void QtSettingsBackend::write(const std::string& key, const std::string& name, const QVariant& value) {
    const std::vector<QString> paths = valuePaths(key, name);
    QString target;
    if (!paths.empty()) {
        target = paths.front();
        // Other spellings left by hand editing go, so one value remains. QSettings
        // removes a group of the same name with a value, so such a one stays;
        // reads take the first spelling, the one written here, either way.
        for (std::size_t i = 1; i < paths.size(); ++i) {
            if (!isGroup(paths[i])) settings_->remove(paths[i]);
        }
    } else {
        const std::vector<QString> groups = groupsOf(key);
        const QString group = groups.empty() ? storedKey(key) : groups.front();
        target = joinPath(group, storedName(name));
    }
    settings_->setValue(target, value);
    if (batchDepth_ == 0) settings_->sync();
}

void QtSettingsBackend::beginBatch() { ++batchDepth_; }

void QtSettingsBackend::endBatch() {
    if (batchDepth_ > 0 && --batchDepth_ == 0) settings_->sync();
}

bool QtSettingsBackend::openKey(const std::string& key, bool create) {
    if (!create) return keyExists(key);
    if (settings_->status() == QSettings::AccessError) reopen();
    if (!settings_->isWritable()) return false;
    // A key without values exists for this store object only: nothing but
    // the program's values is written to the file.
    if (!keyExists(key)) createdKeys_.insert(storedKey(key).toLower());
    settings_->sync();
    // A format error only means part of a hand-edited file was not understood;
    // the file is still written.
    return settings_->status() != QSettings::AccessError;
}

bool QtSettingsBackend::keyExists(const std::string& key) {
    return !groupsOf(key).empty() || createdKeys_.contains(storedKey(key).toLower());
}

bool QtSettingsBackend::valueExists(const std::string& key, const std::string& name) {
    return !valuePaths(key, name).empty();
}

std::int32_t QtSettingsBackend::readInt(const std::string& key, const std::string& name) {
    const QVariant value = read(key, name);
    if (typedStore_) {
        if (value.typeId() == QMetaType::Int) return value.toInt();
        if (value.typeId() == QMetaType::UInt) return static_cast<std::int32_t>(value.toUInt());
        throw typeError(name);
    }
    std::int32_t result = 0;
    if (value.typeId() != QMetaType::QString || !parseDword(value.toString(), result)) throw typeError(name);
    return result;
}

// A value of the file is an integer when it is "dword:" and one to eight
// hexadecimal digits, else text: tagged "sz:", or written by hand without a
// tag (so also a "dword:" followed by anything else).
bool QtSettingsBackend::isTaggedInt(const QString& text) {
    std::int32_t ignored = 0;
    return parseDword(text, ignored);
}

std::string QtSettingsBackend::readText(const std::string& key, const std::string& name) {
    const QVariant value = read(key, name);
    if (value.typeId() != QMetaType::QString) throw typeError(name);
    QString text = value.toString();
    if (!typedStore_) {
        if (isTaggedInt(text)) throw typeError(name);
        if (text.startsWith(kTextPrefix, Qt::CaseInsensitive)) text.remove(0, kTextPrefix.size());
    }
    return valueBytes(name, text);
}

void QtSettingsBackend::writeInt(const std::string& key, const std::string& name, std::int32_t value) {
    write(key, name, typedStore_ ? QVariant(static_cast<int>(value)) : QVariant(formatDword(value)));
}

void QtSettingsBackend::writeText(const std::string& key, const std::string& name, const std::string& value) {
    const QString text = valueText(name, value);
    write(key, name, typedStore_ ? QVariant(text) : QVariant(kTextPrefix + text));
}

}  // namespace trevanor
