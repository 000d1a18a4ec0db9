#include "textedit.h"

#include "document.h"
#include "qpeeditor.h"
#include "settingstable.h"

#include <QAction>
#include <QMenu>

void TextEdit::readConf()
{
    SettingsTable::read(SettingKey::Main, m_appName, m_settings);
    if (m_settings.FontFamilyName.isNull())
        m_settings.FontFamilyName = font().family();
}

void TextEdit::readConf2()
{
    SettingsTable::read(SettingKey::Second, m_appName, m_settings);
}

void TextEdit::writeConf()
{
    m_settings.FontSize = m_editor->fontSize();
    SettingsTable::write(SettingKey::Main, m_appName, m_settings);
}

void TextEdit::writeConf2()
{
    SettingsTable::write(SettingKey::Second, m_appName, m_settings);
}

void TextEdit::applySettings()
{
    m_editor->setSettings(m_settings);
}

void TextEdit::setLastFile()
{
    if (!doc || doc->file().isEmpty())
        return;
    m_settings.history.push(doc->file(), m_editor->cursorColumn(), m_editor->cursorRow(), m_settings.BackColor);
    rebuildHistoryMenu();
}

void TextEdit::fileClearHistory()
{
    for (int i = 0; i < ListLastFile::Count; ++i)
        m_settings.history.clear(i);
    rebuildHistoryMenu();
}

void TextEdit::setBackColor(int n)
{
    EditorSettings& s = m_settings;
    if (n < 0 || n > 7)
        n = 0;
    if (n == 7 && s.TextColor == 0)
        s.TextColor = 4;
    else if (n < 7 && s.TextColor == 4)
        s.TextColor = 0;
    if (n == 0 && s.CursorColor2 == 7)
        s.CursorColor2 = 0;
    else if (n == 7 && s.CursorColor2 == 6)
        s.CursorColor2 = 7;
    s.BackColor = n;
    applySettings();
    m_editor->setFocus();
}

void TextEdit::setTextColor(int n)
{
    m_settings.TextColor = n;
    applySettings();
}

void TextEdit::setFileType(const QString& ext)
{
    FileType = 6;
    if (ext.toUpper() == QLatin1String("TXT")) {
        FileType = 0;
    } else {
        for (int n = 1; n <= 5 && FileType == 6; ++n) {
            if (m_settings.fileInfo[n].ext.split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(ext))
                FileType = n;
        }
    }
    m_editor->setFileType(FileType);
}
