#pragma once
// The settings store on disk, through QSettings.
//
// On Windows the default store is the registry key
// HKEY_CURRENT_USER\SOFTWARE\Pellam\Trevanor; integers are REG_DWORD values
// and texts REG_SZ values; the paths (the recent MAPs, the autoloaded MAP,
// a MAP's first report) and the MAP keys are the paths' and names' own text,
// with the system's separators (a path written with '/' still reads).
// Elsewhere, and whenever an explicit path is given, the store is an INI file:
//
//   [General]                      values of the program key
//   Autoload_MAP=sz:GAME.MAP
//   [GAME.MAP]                     the key of a MAP file
//   Zoom=dword:00000003
//
// An INI file has no value types of its own, so each value carries one:
// "dword:" and eight hexadecimal digits (the 32-bit two's complement, as a
// registry export writes it) or "sz:" and the text. Read back, "dword:" may
// be followed by one to eight digits (as typed by hand: "dword:1"); anything
// else after "dword:" is a damaged integer, neither an integer nor a text.
//
// Key and value names are matched without regard to case by listing what the
// store holds; a write to a name that exists in another spelling goes to that
// spelling. The characters '/' and '\' separate groups inside QSettings, so
// they are written as "|2F" and "|5C" (and '|' itself as "|7C"); an empty
// value name is written as "|". A value written by hand without a type tag
// is text. A key created without values is known to this object only: the
// file holds nothing but values.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QString>

#include "model/settings_backend.h"

class QSettings;
class QVariant;

namespace trevanor {

class QtSettingsBackend : public SettingsBackend {
public:
    // The user's own store (see above).
    QtSettingsBackend();
    // An INI file at `iniPath`; its folder is created when first written.
    explicit QtSettingsBackend(const QString& iniPath);
    ~QtSettingsBackend() override;

    QtSettingsBackend(const QtSettingsBackend&) = delete;
    QtSettingsBackend& operator=(const QtSettingsBackend&) = delete;

    bool openKey(const std::string& key, bool create) override;
    bool keyExists(const std::string& key) override;
    bool valueExists(const std::string& key, const std::string& name) override;
    std::int32_t readInt(const std::string& key, const std::string& name) override;
    std::string readText(const std::string& key, const std::string& name) override;
    void writeInt(const std::string& key, const std::string& name, std::int32_t value) override;
    void writeText(const std::string& key, const std::string& name, const std::string& value) override;
    // Each write outside a batch rewrites the file at once; a batch rewrites it when it ends.
    void beginBatch() override;
    void endBatch() override;

    // The INI file, or the registry path on Windows.
    QString fileName() const;

private:
    void reopen();
    std::vector<QString> groupsOf(const std::string& key) const;
    std::vector<QString> valuePaths(const std::string& key, const std::string& name) const;
    bool isGroup(const QString& path) const;
    QVariant read(const std::string& key, const std::string& name) const;
    void write(const std::string& key, const std::string& name, const QVariant& value);

    static bool isTaggedInt(const QString& text);

    QString location_;         // INI file, or registry path
    std::set<QString> createdKeys_;  // lower-cased stored names of keys created empty
    bool typedStore_ = false;  // the registry keeps value types itself
    int batchDepth_ = 0;       // open batches; the file is written when the last one ends
    std::unique_ptr<QSettings> settings_;
};

}  // namespace trevanor
