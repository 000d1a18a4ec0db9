#include "textedit.h"

#include "platform/qpeapplication.h"

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    auto* window = new TextEdit(TextEdit::appNameFor(QString::fromLocal8Bit(argv[0])));
    window->wrap_this();
    app.showMainDocumentWidget(window);
    window->startWith(app.arguments());
    const int result = app.exec();
    delete window;
    return result;
}
