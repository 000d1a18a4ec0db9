#include "mervo.h"
#include "platform/qpeapplication.h"

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv, QPEApplication::GuiClient);
    Mervo* window = new Mervo(nullptr, nullptr);
    app.showMainWidget(window);
    const int result = app.exec();
    delete window;
    return result;
}
