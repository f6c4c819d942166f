#pragma once

// "Il gatto e delle mele.": a determinative article, a noun, a conjunction, a
// partitive article and a noun. In "analisi completa", the right answers
// before each question: 0 variability, 1 part of speech, 2 kind, 3 gender,
// 4 number, 8 the invariable parts of "e"; 16 in all.

#include <QByteArray>

namespace test {

inline const QByteArray fraseDueArticoli =
    "0\t1\t\"Il \"\t1\t1\t1\t1\n"
    "0\t2\t\"gatto \"\t2\t\t\t\n"
    "0\t3\t\"e \"\t8\t\t\t\n"
    "0\t4\t\"delle \"\t1\t3\t2\t2\n"
    "0\t5\t\"mele.\"\t2\t\t\t\n";

}  // namespace test
