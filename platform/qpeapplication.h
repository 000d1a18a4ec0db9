#pragma once

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QString>

class ChannelServer;

// The application object of every program: owns the program's message channel
// "QPE/Application/<name>" and hands documents to an already running instance.
class QPEApplication : public QApplication
{
    Q_OBJECT
public:
    enum Type { GuiClient };
    // The device's OK key, as such keyboards send it (a desktop keyboard has no F33).
    static constexpr int OkKey = Qt::Key_F33;

    QPEApplication(int& argc, char** argv, Type type = GuiClient);
    ~QPEApplication() override;

    static QString qpeDir();
    static QString appChannel(const QString& appName);

    // When the program already runs, raises its window and ends this process.
    void showMainWidget(QWidget* w, bool nomax = false);
    // When the program already runs, hands the document named on the command line
    // to it as "setDocument(QString)" (and a line after it as "JumpTo(int)") and ends
    // this process; otherwise shows w and delivers the document to w's
    // setDocument(const QString&) slot.
    void showMainDocumentWidget(QWidget* w, bool nomax = false);

    // The OK key and the message "accept()" call accept() of the active modal dialog,
    // or of the main widget when none is open.
    bool notify(QObject* receiver, QEvent* event) override;

signals:
    void appMessage(const QByteArray& msg, const QByteArray& data);

private:
    bool listen();
    bool deliverAccept();
    void raiseOnMessage(QWidget* w);
    static void showFitted(QWidget* w, bool nomax);
    void closeWindowsOnTerminate();

    ChannelServer* m_server = nullptr;
    QPointer<QWidget> m_mainWidget;
};
