#pragma once

// Writing and reading back the files the editor's tests open and save.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace prova {

inline void scriviFile(const QString &percorso, const QByteArray &testo)
{
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(testo);
}

// Empty when the file cannot be read.
inline QByteArray leggiTutto(const QString &percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace prova
