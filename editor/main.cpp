#include "textedit.h"
#include "velinoglobals.h"

#include <qpeapplication.h>

#include <QFileInfo>

#include <cstdlib>

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    auto* window = new TextEdit(TextEdit::appNameFor(QString::fromLocal8Bit(argv[0])));
    G_edit = window;
    window->wrap_this();
    app.showMainDocumentWidget(window);
    if (argc == 3) {
        window->openThisFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
        window->jump_to(std::atoi(argv[2]));
    }
    const int result = app.exec();
    delete window;
    return result;
}
