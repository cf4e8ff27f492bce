// The gardener's book as the full screen shows it: every adult form, colour
// and coat as a grid, each seen (its name bold, with the letter of how the
// first one came: r raised, b bred, i imported) or not yet seen (its name
// dim, with "?"), and how many of each have been seen; the traits and the
// S ranks the same way; the first reincarnation; the counts and the hours.
// The ten Hero and Dark forms carry a mark: only a Child whose alignment
// moved evolves into one, and a garden in play makes no such Child, so only
// an import brings them. The forms no evolution reaches carry another.
//
// The book is read, never changed. What does not fit the region scrolls:
// the caller keeps the first line shown and moves it with its keys.

#ifndef TUMBLENOOK_BOOK_VIEW_H_
#define TUMBLENOOK_BOOK_VIEW_H_

#include "book.h"
#include "canvas.h"

// The mark beside a Hero or Dark form.
inline constexpr const char* kImportOnlyMark = "*";
// The mark beside a form that no evolution reaches, Orvan's and the three
// character forms: these too come only by import.
inline constexpr const char* kNeverEvolvedMark = "+";

// The lines of the book's page inside the frame of a region `columns` wide:
// what drawBook() scrolls through.
int bookLineCount(const Book& book, int columns);

// The largest first line worth scrolling to in a region of `rows` by
// `columns`, its frame included: 0 when the whole book fits.
int bookScrollLimit(const Book& book, int rows, int columns);

// Draws the book in a frame filling the region of `height` rows by `width`
// columns at `row`, `column` of `canvas`, from its line `first` (clamped to
// 0 to bookScrollLimit()). The frame's title says when there is more above
// or below. Draws nothing outside the region. Returns bookLineCount().
int drawBook(Canvas& canvas, int row, int column, int height, int width,
             const Book& book, int first);

#endif  // TUMBLENOOK_BOOK_VIEW_H_
