// The Window menu's arrangements of the child windows.
#include "editdoubles.h"
#include <QTest>
QTEST_MAIN(QObject)
