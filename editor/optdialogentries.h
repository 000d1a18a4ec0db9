#pragma once

#include <initializer_list>

// The entries of the option dialogs' lists; an entry's position is the value it
// stands for unless its dialog translates it.
namespace OptionEntries {
using List = std::initializer_list<const char*>;

inline const List yesNo = {"No", "Yes"};
inline const List backgroundColours = {"white", "red", "green", "blue", "magenta", "cyan", "yellow", "black"};
inline const List characterColours = {"black", "dred", "dgreen", "dblue", "white", "gray", "dgray",
                                      "red", "green", "blue", "magenta", "cyan", "yellow", "lred",
                                      "lgreen", "lblue", "lmagenta", "lcyan", "lyellow"};
inline const List cursorColours = {"red", "green", "blue", "magenta", "cyan", "yellow", "black", "white"};
inline const List cursorLineColours = {"red", "dgreen", "blue", "magenta", "cyan", "dyellow", "black", "white"};
inline const List tabStops = {"2", "3", "4", "5", "6", "7", "8"};
inline const List cursorText = {"No", "10 char from cursor", "choice character"};
inline const List dateForms = {"YYYY/MM/DD(Jp) hh:mm:ss", "YYYY/MM/DD(Jp) hh:mm", "YYYY/MM/DD(Jp)",
                               "YYYY/MM/DD hh:mm:ss", "YYYY/MM/DD hh:mm", "YYYY/MM/DD",
                               "YYYY.MM.DD hh:mm:ss", "YYYY.MM.DD hh:mm", "YYYY.MM.DD",
                               "hh:mm:ss YYYY/MM/DD", "hh:mm YYYY/MM/DD", "week month DD YYYY"};
inline const List cursorShapes = {"|(1", "|(2", "|(3", "|(4", "|(5", "squar", "solid", "I", "/"};
inline const List cursorLineStyles = {"No", "line", "broken", "dot", "compound"};
inline const List selectionColours = {"blue", "dblue", "dred", "dgreen", "magenta", "dyellow", "gray"};
inline const List lineNumberDisplay = {"No", "title", "head2", "head3", "head4"};
inline const List wrapWidth = {"auto", "calc", "99", "space"};
inline const List lineEndMarks = {"No", "sml1", "sml2", "big1", "big2"};
inline const List characterCodes = {"Auto", "UTF-8", "S-JIS", "eucJP", "JIS7", "eucKR", "GBK"};
inline const List keywordColours = {"No", "blue", "red", "green", "magenta", "cyan", "yellow",
                                    "gray", "dred", "dgreen", "darkblue", "dmagenta", "dyellow"};
inline const List verticalLines = {"No", "10intrvl", "15intrvl", "20intrvl",
                                   "25intrvl", "30intrvl", "35intrvl", "40intrvl"};
inline const List findModes = {"Insens+Noamal", "Insens+RegExp", "Sensit+Noamal", "Sensit+RegExp"};
inline const List scrollBars = {"show", "show H", "show V", "no"};
inline const List userFileTypes = {"No1", "No2", "No3", "No4", "No5"};
inline const List specialKeyFunctions = {"No", "Half space", "auto char select", "Redo", "Undo", "delete line",
                                         "duplicate line", "find", "find next", "replace", "deat & time",
                                         "idiom dialog", "insert filepath", "find prev", "continued find prev",
                                         "save", "save as"};
inline const List shiftJisLineEnds = {"No", "Win", "Mac"};
inline const List lineNumberCounting = {"wrap", "enter"};
} // namespace OptionEntries
