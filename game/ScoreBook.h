#ifndef VORLEQUIN_SCORE_BOOK_H
#define VORLEQUIN_SCORE_BOOK_H

#include <cstdint>

// The last game's score and the best of all. The best is kept in a small file beside the
// program, the number as text, so that it outlives the run; a folder that cannot be
// written keeps it for the run only, with no word to the player. A file that holds
// anything but a number counts as no best yet.
class ScoreBook {
public:
    static constexpr const wchar_t* fileName = L"vorlequin-best.txt";
    // The longest text the file is read for (a 32-bit number and a line end).
    static constexpr unsigned long longestText = 12;

    // Reads the best from `path` (a path of the framework's File: without a scheme, a
    // file in the program's folder).
    explicit ScoreBook(const wchar_t* path = fileName);
    ScoreBook(const ScoreBook&) = delete;
    ScoreBook& operator=(const ScoreBook&) = delete;

    // A game ended with `score`: it is the last, and the best if it beats it.
    void record(int32_t score);

    // Whether a game has ended in this run.
    bool hasLast() const { return played; }
    int32_t getLast() const { return last; }
    int32_t getBest() const { return best; }

private:
    void load();
    void save();

    const wchar_t* path;
    bool played;
    int32_t last;
    int32_t best;
};

#endif
