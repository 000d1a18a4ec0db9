#include "settingstable.h"

#include "editorsettings.h"

#include "platform/config.h"

#include <climits>

namespace {
using File = SettingKey::File;
using Field = SettingKey::Field;
using Getter = std::function<Field(EditorSettings&)>;

// Corrections: a value outside [Lo, Hi] is read as Outside.
template <int Lo, int Hi, int Outside>
int range(int v)
{
    return v < Lo || v > Hi ? Outside : v;
}

int snapDown(int v)
{
    return snapFontSize(v, true);
}

// Date forms 0 to 10 and 19.
int dateForm(int v)
{
    return (v >= 0 && v <= 10) || v == 19 ? v : 0;
}

const auto keyword = range<-1, 12, -1>; // 0 off, -1 and 1 to 12 on (other values show blue)
const auto keyFunction = range<0, 16, 0>; // special-key functions

template <typename T>
Getter member(T EditorSettings::*m)
{
    return [m](EditorSettings& s) -> Field { return &(s.*m); };
}

template <typename T>
Getter record(int type, T UserFileInfo::*m)
{
    return [type, m](EditorSettings& s) -> Field { return &(s.fileInfo[type].*m); };
}

template <typename T>
Getter specialKey(T SpecialKey::*m)
{
    return [m](EditorSettings& s) -> Field { return &(s.specialKey.*m); };
}

std::vector<SettingKey> buildTable()
{
    using K = SettingKey;
    std::vector<SettingKey> t;
    const auto add = [&t](File file, const char* group, const QString& key, Getter field, K::Value deflt,
                          int (*correct)(int), K::ChangedBy by) {
        t.push_back(SettingKey{file, QLatin1String(group), key, std::move(field), std::move(deflt), correct, by});
    };
    const auto view = [&add](const char* key, Getter field, K::Value deflt, int (*correct)(int), K::ChangedBy by) {
        add(File::Main, "View", QLatin1String(key), std::move(field), std::move(deflt), correct, by);
    };
    const QString none;

    add(File::Main, "LastFile", QStringLiteral("LastFile1"), member(&EditorSettings::startDir), none, nullptr, K::Hand);
    for (int n = 1; n <= ListLastFile::Count; ++n) {
        const QString key = QStringLiteral("LastFile%1").arg(n);
        const auto entry = [n](EditorSettings& s) -> ListLastFile::Entry& { return s.history.entry(n - 1); };
        add(File::Main, "LastFile", key, [entry](EditorSettings& s) -> Field { return &entry(s).path; },
            QStringLiteral("dummy"), nullptr, K::History);
        add(File::Main, "LastFile", key + QLatin1String("_col"),
            [entry](EditorSettings& s) -> Field { return &entry(s).col; }, -1, range<-1, INT_MAX, -1>, K::History);
        add(File::Main, "LastFile", key + QLatin1String("_line"),
            [entry](EditorSettings& s) -> Field { return &entry(s).line; }, -1, range<-1, INT_MAX, -1>, K::History);
        add(File::Main, "LastFile", key + QLatin1String("_color"),
            [entry](EditorSettings& s) -> Field { return &entry(s).color; }, 0, range<0, 7, 0>, K::History);
    }

    view("FontSize", member(&EditorSettings::FontSize), 10, snapDown, K::ViewMenu);
    view("Wrap", member(&EditorSettings::Wrap), false, nullptr, K::ViewMenu);
    view("WrapMethod", member(&EditorSettings::WrapMethod), 0, range<0, 200, 0>, K::FuncDialog);
    view("AutoIndent", member(&EditorSettings::AutoIndent), false, nullptr, K::ViewMenu);
    view("ShortCutKey", member(&EditorSettings::ShortCutKey), true, nullptr, K::ViewDialog);
    view("CursorDraw", member(&EditorSettings::CursorDraw), 0, range<0, 4, 4>, K::ViewDialog); // 4 and above: dash-dot
    view("BackColor", member(&EditorSettings::BackColor), 0, range<0, 7, 0>, K::ViewDialog);
    view("LineNumber", member(&EditorSettings::LineNumber), 0, range<0, 4, 0>, K::ViewDialog);
    view("LineNumberCr", member(&EditorSettings::LineNumberCr), false, nullptr, K::ViewDialog);
    view("CRMarkDisp", member(&EditorSettings::CRMarkDisp), 0, range<0, 4, 0>, K::ViewDialog);
    view("CursorWord", member(&EditorSettings::CursorWord), 1, range<0, 2, 1>, K::FuncDialog);
    view("MoveCursor", member(&EditorSettings::MoveCursor), true, nullptr, K::FuncDialog);
    view("WinDateForm", member(&EditorSettings::WinDateForm), 0, dateForm, K::FuncDialog);
    view("TextColor", member(&EditorSettings::TextColor), 0, range<0, 18, 0>, K::ViewDialog);
    view("CursorColor", member(&EditorSettings::CursorColor), 0, range<0, 8, 1>, K::ViewDialog);
    view("CursorColor2", member(&EditorSettings::CursorColor2), 0, range<0, 7, 0>, K::ViewDialog);
    view("CursorWidth", member(&EditorSettings::CursorWidth), 2, range<1, 9, 2>, K::ViewDialog);
    view("AppendCRCode", member(&EditorSettings::AppendCRCode), 0, range<0, 2, 0>, K::FuncDialog);
    view("CaseSensitive", member(&EditorSettings::CaseSensitive), 0, range<0, 3, 0>, K::FuncDialog);
    view("IncrementalSearch", member(&EditorSettings::IncrementalSearch), true, nullptr, K::FuncDialog);
    view("TabLength", member(&EditorSettings::TabLength), 0, range<2, 8, 8>, K::FuncDialog);
    view("InputCodec", member(&EditorSettings::InputCodec), 0, range<0, 6, 0>, K::FuncDialog);
    view("OutputCodec", member(&EditorSettings::OutputCodec), 0, range<0, 6, 0>, K::FuncDialog);
    view("SelectedColor", member(&EditorSettings::SelectedColor), 0, range<0, 6, 0>, K::ViewDialog);
    view("VerticalLine", member(&EditorSettings::VerticalLine), 0, range<0, 7, 0>, K::ViewDialog);
    view("ScrollBarDisp", member(&EditorSettings::ScrollBarDisp), 0, range<0, 3, 3>, K::ViewDialog);
    view("FontFamilyName", member(&EditorSettings::FontFamilyName), none, nullptr, K::ViewDialog);
    for (int i = 0; i < 10; ++i) {
        add(File::Main, "View", QStringLiteral("SearchWords%1").arg(i + 1),
            [i](EditorSettings& s) -> Field { return &s.SearchWords[i]; }, QString(QLatin1String("")), nullptr,
            K::SearchBar);
    }
    view("IconNew", member(&EditorSettings::IconNew), false, nullptr, K::Hand);
    view("IconOpen", member(&EditorSettings::IconOpen), true, nullptr, K::Hand);
    view("IconSave", member(&EditorSettings::IconSave), true, nullptr, K::Hand);
    view("IconCut", member(&EditorSettings::IconCut), true, nullptr, K::Hand);
    view("IconCopy", member(&EditorSettings::IconCopy), true, nullptr, K::Hand);
    view("IconPaste", member(&EditorSettings::IconPaste), true, nullptr, K::Hand);
    view("IconFind", member(&EditorSettings::IconFind), true, nullptr, K::Hand);
    view("IconNFind", member(&EditorSettings::IconNFind), false, nullptr, K::Hand);
    view("AutoSave", member(&EditorSettings::AutoSave), 0, range<0, 60, 0>, K::Hand);
    view("AutoSaveDir", member(&EditorSettings::AutoSaveDir), QStringLiteral("/home/tarvik/Documents/Text_Files/"),
         nullptr, K::Hand);
    view("SmallSaveDialog", member(&EditorSettings::SmallSaveDialog), false, nullptr, K::Hand);
    view("OKisEnter", member(&EditorSettings::OKisEnter), false, nullptr, K::Hand);
    // 0 nothing, 1 select to the top or bottom, any other value select to the mark.
    view("CtrlUpSelect", member(&EditorSettings::CtrlUpSelect), 0, range<0, 2, 2>, K::Hand);
    view("CtrlDownSelect", member(&EditorSettings::CtrlDownSelect), 0, range<0, 2, 2>, K::Hand);
    view("AppendFileExtension", member(&EditorSettings::AppendFileExtension), false, nullptr, K::Hand);
    view("SeparateKanaKanji", member(&EditorSettings::SeparateKanaKanji), false, nullptr, K::Hand);
    view("IconNewName", member(&EditorSettings::IconNewName), QStringLiteral("new"), nullptr, K::Hand);
    view("IconOpenName", member(&EditorSettings::IconOpenName), QStringLiteral("slfolder"), nullptr, K::Hand);
    view("IconSaveName", member(&EditorSettings::IconSaveName), QStringLiteral("rec"), nullptr, K::Hand);
    view("IconCutName", member(&EditorSettings::IconCutName), QStringLiteral("cut"), nullptr, K::Hand);
    view("IconCopyName", member(&EditorSettings::IconCopyName), QStringLiteral("copy"), nullptr, K::Hand);
    view("IconPasteName", member(&EditorSettings::IconPasteName), QStringLiteral("paste"), nullptr, K::Hand);
    view("IconFindName", member(&EditorSettings::IconFindName), QStringLiteral("find"), nullptr, K::Hand);
    view("IconNFindName", member(&EditorSettings::IconNFindName), QStringLiteral("down"), nullptr, K::Hand);
    view("UserJumpU", member(&EditorSettings::UserJumpU), QStringLiteral("/var/mnt/card/Documents"), nullptr, K::Hand);
    view("UserJumpJ", member(&EditorSettings::UserJumpJ), QStringLiteral("/var/mnt/cf/Documents"), nullptr, K::Hand);
    view("SaveFastUTF8", member(&EditorSettings::SaveFastUTF8), false, nullptr, K::Hand);
    view("DefCutAndCopy", member(&EditorSettings::DefCutAndCopy), false, nullptr, K::Hand);
    view("MarkPosToggle", member(&EditorSettings::MarkPosToggle), false, nullptr, K::Hand);

    const std::pair<const char*, int SpecialKey::*> keys[] = {
        {"KeyCtrlEnter", &SpecialKey::ctrlEnter}, {"KeyCtrlSpace", &SpecialKey::ctrlSpace},
        {"KeyShiftEnter", &SpecialKey::shiftEnter}, {"KeyShiftSpace", &SpecialKey::shiftSpace},
        {"KeyFn_N", &SpecialKey::fnN}, {"KeyFn_M", &SpecialKey::fnM}, {"KeyFn_O", &SpecialKey::fnO},
        {"KeyFn_P", &SpecialKey::fnP}, {"KeyFn_A", &SpecialKey::fnA}, {"KeyFn_S", &SpecialKey::fnS}};
    for (const auto& [key, field] : keys)
        add(File::Main, "Key", QLatin1String(key), specialKey(field), 0, keyFunction, K::KeyDialog);

    add(File::Second, "Common", QStringLiteral("CommonRegExpress"), record(0, &UserFileInfo::regExp), false, nullptr,
        K::ColorDialog);
    const auto text = [&add](const char* key, Getter field, K::Value deflt, int (*correct)(int)) {
        add(File::Second, "Text", QLatin1String(key), std::move(field), std::move(deflt), correct, K::ColorDialog);
    };
    text("TextCharColor", record(0, &UserFileInfo::charColor), 0, range<0, 12, 1>);
    text("rTextColor", record(0, &UserFileInfo::color1), 0, keyword);
    text("rTextColor2", record(0, &UserFileInfo::color2), 0, keyword);
    text("rTextColor3", record(0, &UserFileInfo::color3), 0, keyword);
    text("rTextWord", record(0, &UserFileInfo::word1), none, nullptr);
    text("rTextWord2", record(0, &UserFileInfo::word2), none, nullptr);
    text("rTextWord3", record(0, &UserFileInfo::word3), none, nullptr);
    text("rTextCommentColor", record(0, &UserFileInfo::commentColor), 0, keyword);
    text("rTextComment", record(0, &UserFileInfo::comment), none, nullptr);
    for (int n = 1; n <= 5; ++n) {
        const auto user = [&add, n](const char* field, Getter getter, K::Value deflt, int (*correct)(int)) {
            add(File::Second, "User", QStringLiteral("User%1").arg(n) + QLatin1String(field), std::move(getter),
                std::move(deflt), correct, K::ColorDialog);
        };
        user("Ext", record(n, &UserFileInfo::ext), none, nullptr);
        user("Color1", record(n, &UserFileInfo::color1), 0, keyword);
        user("Color2", record(n, &UserFileInfo::color2), 0, keyword);
        user("Color3", record(n, &UserFileInfo::color3), 0, keyword);
        user("Word1", record(n, &UserFileInfo::word1), none, nullptr);
        user("Word2", record(n, &UserFileInfo::word2), none, nullptr);
        user("Word3", record(n, &UserFileInfo::word3), none, nullptr);
        user("Comment", record(n, &UserFileInfo::comment), none, nullptr);
        user("CommentColor", record(n, &UserFileInfo::commentColor), -1, keyword);
    }
    for (int i = 0; i < 9; ++i) {
        add(File::Second, "Idiom", QStringLiteral("rIdiom%1").arg(i + 1),
            [i](EditorSettings& s) -> Field { return &s.idiom[i]; }, none, nullptr, K::IdiomDialog);
    }
    return t;
}

// A value as read from conf (or the default when conf is null), corrected.
void readKey(const Config* conf, const SettingKey& k, EditorSettings& s)
{
    const Field field = k.field(s);
    if (int* const* n = std::get_if<int*>(&field)) {
        const int deflt = std::get<int>(k.deflt);
        **n = conf ? conf->readNumEntry(k.key, deflt) : deflt;
        if (k.correct)
            **n = k.correct(**n);
    } else if (bool* const* b = std::get_if<bool*>(&field)) {
        const bool deflt = std::get<bool>(k.deflt);
        **b = conf ? conf->readBoolEntry(k.key, deflt) : deflt;
    } else {
        const QString& deflt = std::get<QString>(k.deflt);
        *std::get<QString*>(field) = conf ? conf->readEntry(k.key, deflt) : deflt;
    }
}

// Black text on black and white text on white become readable.
void coupleColours(EditorSettings& s)
{
    if (s.BackColor == 7 && s.TextColor == 0)
        s.TextColor = 4;
    if (s.BackColor == 0 && s.TextColor == 4)
        s.TextColor = 0;
}
} // namespace

int snapFontSize(int size, bool down)
{
    static const int fontsize[] = {10, 12, 16, 18, 20, 24, 36};
    const int nfontsizes = 7;
    int chosen = 10;
    for (int i = 0; i < nfontsizes; ++i) {
        if (fontsize[i] == size)
            return size;
    }
    if (down) {
        for (int i = 0; i < nfontsizes; ++i)
            if (fontsize[i] < size)
                chosen = fontsize[i];
    } else {
        for (int i = nfontsizes - 1; i >= 0; --i)
            if (fontsize[i] > size)
                chosen = fontsize[i];
    }
    return chosen;
}

EditorSettings::EditorSettings()
{
    SettingsTable::setDefaults(*this);
}

const std::vector<SettingKey>& SettingsTable::keys()
{
    static const std::vector<SettingKey> table = buildTable();
    return table;
}

QString SettingsTable::fileName(SettingKey::File file, const QString& appName)
{
    return file == SettingKey::Main ? appName : appName + QStringLiteral("_r");
}

void SettingsTable::setDefaults(EditorSettings& settings)
{
    for (const SettingKey& k : keys())
        readKey(nullptr, k, settings);
    coupleColours(settings);
}

void SettingsTable::read(SettingKey::File file, const QString& appName, EditorSettings& settings)
{
    Config conf(fileName(file, appName));
    for (const SettingKey& k : keys()) {
        if (k.file != file)
            continue;
        conf.setGroup(k.group);
        readKey(&conf, k, settings);
    }
    if (file == SettingKey::Main)
        coupleColours(settings);
}

void SettingsTable::write(SettingKey::File file, const QString& appName, const EditorSettings& settings)
{
    Config conf(fileName(file, appName));
    // The fields are only read here.
    auto& s = const_cast<EditorSettings&>(settings);
    for (const SettingKey& k : keys()) {
        if (k.file != file || !k.written())
            continue;
        conf.setGroup(k.group);
        const Field field = k.field(s);
        if (int* const* n = std::get_if<int*>(&field))
            conf.writeEntry(k.key, **n);
        else if (bool* const* b = std::get_if<bool*>(&field))
            conf.writeEntry(k.key, **b);
        else
            conf.writeEntry(k.key, *std::get<QString*>(field));
    }
}
