#include "frmmain.h"
#include "platform/qpeapplication.h"

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv, QPEApplication::GuiClient);
    frmMain* window = new frmMain(nullptr, nullptr);
    app.showMainWidget(window, false);
    const int result = app.exec();
    delete window;
    return result;
}
