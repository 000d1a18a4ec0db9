#pragma once

#include <QDialog>

class MervoData;
class QPlainTextEdit;

// A typed note kept beside an ink page, shown above the page it belongs to. The note
// keeps the encoding its file has (the editor may have written it); OK writes it when
// it was changed, Cancel leaves the file as it was.
class MervoMemo : public QDialog
{
    Q_OBJECT
public:
    MervoMemo(QWidget* parent, const char* name, int page, MervoData* data, int charHeight);

    static QString memoFile(int page);
    QPlainTextEdit* editor() const { return m_editor; }

public slots:
    void accept() override;

private:
    bool write(QString* error);

    int m_page;
    QPlainTextEdit* m_editor;
    QString m_loaded;
    int m_codec;
    bool m_crOnly = false;
    bool m_crLf = false;
    // The file could not be read, or held bytes that are no text in its encoding.
    bool m_damaged = false;
};
