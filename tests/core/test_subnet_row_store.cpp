#include <QTest>
class T : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(T)
#include "test_subnet_row_store.moc"
