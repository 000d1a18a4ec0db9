#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>

class ChannelServer;

// The application object of every program: owns the program's message channel
// "QPE/Application/<name>" and hands documents to an already running instance.
class QPEApplication : public QApplication
{
    Q_OBJECT
public:
    enum Type { GuiClient };

    QPEApplication(int& argc, char** argv, Type type = GuiClient);
    ~QPEApplication() override;

    static QString qpeDir();
    static QString appChannel(const QString& appName);

    void showMainWidget(QWidget* w, bool nomax = false);
    // When the program already runs, hands the document named on the command line
    // to it as "setDocument(QString)" and ends this process; otherwise shows w and
    // delivers the document to w's setDocument(const QString&) slot.
    void showMainDocumentWidget(QWidget* w, bool nomax = false);

signals:
    void appMessage(const QByteArray& msg, const QByteArray& data);

private:
    bool listen();

    ChannelServer* m_server = nullptr;
};
