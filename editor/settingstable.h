#pragma once

#include <QString>

#include <functional>
#include <variant>
#include <vector>

struct EditorSettings;

// One key of the editor's settings files: where it is stored, the field of
// EditorSettings it holds (whose type is the key's type), its default, the
// correction made to a number when it is read, and what changes it.
struct SettingKey
{
    enum File { Main, Second }; // the files appName and appName + "_r"
    enum ChangedBy { ViewDialog, FuncDialog, ColorDialog, IdiomDialog, KeyDialog, ViewMenu, SearchBar, History, Hand };
    using Field = std::variant<int*, bool*, QString*>;
    using Value = std::variant<int, bool, QString>;

    File file;
    QString group;
    QString key;
    std::function<Field(EditorSettings&)> field;
    Value deflt;
    // Numbers only: the value as used, from the value as read.
    int (*correct)(int) = nullptr;
    ChangedBy changedBy;

    // Keys that only a hand edit changes are never written, so hand-made values survive.
    bool written() const { return changedBy != Hand; }
};

// The editor's settings keys in the order they are written (keys never written
// follow the written ones of their group), and reading and writing by them.
class SettingsTable
{
public:
    static const std::vector<SettingKey>& keys();

    // Defaults with their corrections, as files without the keys give them.
    static void setDefaults(EditorSettings& settings);
    // Reads every key of the file, corrects the numbers, and couples the text
    // colour with the background colour (black on black and white on white change).
    static void read(SettingKey::File file, const QString& appName, EditorSettings& settings);
    static void write(SettingKey::File file, const QString& appName, const EditorSettings& settings);

    static QString fileName(SettingKey::File file, const QString& appName);
};

// The editor's font sizes; a size between them goes to the next smaller one
// (down) or the next larger one, and 10 when there is none.
int snapFontSize(int size, bool down);
