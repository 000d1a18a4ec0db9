#pragma once

#include "optdialogbase.h"
#include "userfileinfo.h"

#include <QKeySequence>
#include <QList>

#include <array>

class OptionList;
class QCheckBox;
class QLineEdit;
struct EditorSettings;

// "[Color] option": keyword colouring of ".txt" files (record 0) above, and of
// one of the five user file types below. Page Up and Page Down page through
// the user types; the edits of each are kept until the dialog ends.
class OptionDialog3 : public OptionDialogBase
{
    Q_OBJECT
public:
    explicit OptionDialog3(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});

    void setWhichRegExpress(bool on);
    void setTextCharDispColor(int colour);
    void setTextReservedWord(const QString& words);
    void setTextReservedWord2(const QString& words);
    void setTextReservedWord3(const QString& words);
    void setTextReservedColor(int colour);
    void setTextReservedColor2(int colour);
    void setTextReservedColor3(int colour);
    void setTextCommentWord(const QString& comment);
    void setTextCommentColor(int colour);
    void setUserReserved(int n, const UserFileInfo& record);
    // Shows user type n; the ".txt" type (0) and unlisted files (6) show type 1.
    void setUserReservedShow(int n);

    UserFileInfo getTextInfo() const;
    UserFileInfo getUserInfo(int n) const;

    // Full-width spaces become ordinary ones, so they separate keywords too.
    static QString changeSpace(const QString& text);

    void fillFrom(const EditorSettings& settings);
    void readInto(EditorSettings& settings) const;

public slots:
    // Ctrl+U, Ctrl+Up and Page Up show the next user type, Ctrl+Down and Page Down the previous one.
    void changeUserUp();
    void changeUserDown();
    void changedUserNum(int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int UserTypes = 5;

    void showUser(int n);
    // The record with the user section's fields and colours.
    UserFileInfo userSection(UserFileInfo record) const;

    QList<QKeySequence> m_pagingKeys;
    std::array<UserFileInfo, 7> m_records;
    int m_shown = 1;

    QCheckBox* m_regExp;
    OptionList* m_charColour;
    std::array<QLineEdit*, 3> m_textWords;
    std::array<OptionList*, 3> m_textColours;
    QLineEdit* m_textComment;
    OptionList* m_textCommentColour;
    OptionList* m_userType;
    QLineEdit* m_ext;
    std::array<QLineEdit*, 3> m_userWords;
    std::array<OptionList*, 3> m_userColours;
    QLineEdit* m_userComment;
    OptionList* m_userCommentColour;
};
