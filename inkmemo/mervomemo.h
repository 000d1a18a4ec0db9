#pragma once

#include <QDialog>

class MervoData;
class QPlainTextEdit;

// A typed note kept beside an ink page, shown above the page it belongs to.
// The text is written back to the page's memo file when the dialog goes away.
class MervoMemo : public QDialog
{
    Q_OBJECT
public:
    MervoMemo(QWidget* parent, const char* name, int page, MervoData* data, int charHeight);
    ~MervoMemo() override;

    static QString memoFile(int page);
    QPlainTextEdit* editor() const { return m_editor; }

private:
    int m_page;
    QPlainTextEdit* m_editor;
};
