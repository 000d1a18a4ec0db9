#include "modalanswer.h"
#include "platform/qpeapplication.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestDialogFrame : public QObject
{
    Q_OBJECT
private slots:
    void buttonlessDialogCanBeAccepted()
    {
        QDialog dialog;
        auto* grid = new QGridLayout(&dialog);
        grid->addWidget(new QLabel(QStringLiteral("width")), 0, 0);
        grid->addWidget(new QSpinBox, 1, 0);
        ModalAnswer ok(QStringLiteral("OK"));
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(ok.answered());

        ModalAnswer cancel(QStringLiteral("Cancel"));
        QCOMPARE(dialog.exec(), 0);
        QCOMPARE(dialog.findChildren<QDialogButtonBox*>().size(), 1);  // added once only
    }

    void dialogsWithButtonsAreLeftAlone()
    {
        QDialog dialog;
        auto* grid = new QGridLayout(&dialog);
        auto* done = new QPushButton(QStringLiteral("Done"));
        grid->addWidget(done, 0, 0);
        connect(done, &QPushButton::clicked, &dialog, &QDialog::accept);
        ModalAnswer answer(QStringLiteral("Done"));
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(dialog.findChildren<QDialogButtonBox*>().isEmpty());
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestDialogFrame test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dialogframe.moc"
