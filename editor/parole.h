#pragma once

// The words of a sentence as the file writes them: splitting a sentence
// typed on one line into positions, joining and splitting positions, the
// elided forms ("l'" written "la (l')") and the sentence in readable form.
// Qt Core only.

#include <QString>
#include <QStringList>

#include <optional>

namespace editor {

// A text never carries more trailing blanks than this.
inline constexpr int maxSpaziFinali = 6;

// "Le  nubi sul mare, l'isola ." -> "Le  ", "nubi ", "sul ", "mare, ", "l' ",
// "isola." The blanks typed after a word become its trailing blanks (at most
// six); a mark of punctuation standing alone joins the word before it; an
// elided word ("l'", "dell'", "un'") takes a position of its own. A full
// form with its elision ("la (l')") stays one word. Also splits one position
// back into its words (the inverse of unisci()).
QStringList divideFrase(const QString &riga);

// Two positions in one (a compound verb, a locution): "ho " + "comperato "
// -> "ho comperato ".
QString unisci(const QString &primo, const QString &secondo);

// A word written elided: "l'", "L' ", "dell'", or already in the file's form
// "la (l')", "sulla ( sull')".
struct Elisione {
    QString elisa;        // "l'", "L'", "dell'", as written
    QString intera;       // the full form when the text has one: "la", "La"
    QString spazioDentro; // blanks after "(" kept as the file has them
    QString spaziFinali;
};

std::optional<Elisione> elisione(const QString &testo);

// The full forms of an elided word by gender (1 maschile, 2 femminile), in
// lower case; empty when the word has no form of that gender or is not one
// the editor knows ("l'" -> "lo", "la"; "un'" -> none, "una").
QString formaIntera(const QString &elisa, int genere);

// "l' " with gender 2 -> "la (l') "; "L'" -> "La (L')"; a text already in
// the full form gets the full form of the other gender. The text unchanged
// when there is no such form.
QString testoConGenere(const QString &testo, int genere);

// The text written with the full form `intera` before its elision, keeping
// the case of its first letter and its trailing blanks: "L' " with "la" ->
// "La (L') ". The text unchanged when it is not an elided word.
QString conFormaIntera(const QString &testo, QString intera);

// The key a word is known by: no trailing blanks, no punctuation, lower case;
// for an elided word its elided form ("La (L')" -> "l'").
QString chiave(const QString &testo);

// The sentence as read: one blank between words, none after an elided word,
// "la (l')" + "isola" -> "l'isola".
QString leggibile(const QStringList &testi);

}  // namespace editor
