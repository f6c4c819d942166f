#pragma once

// main() for the window tests: a widget application prepared like the program.

#include "app/applicazione.h"

#include <QApplication>
#include <QTest>

#define ANALISI_TEST_MAIN(TestClass)             \
    int main(int argc, char **argv)              \
    {                                            \
        QApplication app(argc, argv);            \
        preparaApplicazione();                   \
        TestClass test;                          \
        return QTest::qExec(&test, argc, argv);  \
    }
