#pragma once

class CardPictures;

// The file in the user's cache folder that keeps the table's card pictures
// from one run to the next, so the first frame shows them without drawing
// them again. It belongs to one build of the program: another build draws
// afresh and writes the file anew.
namespace pictureFile {

// Gives the pictures kept by the last run of this build, if any.
void restore(CardPictures& pictures);
// Keeps the table's pictures when any were drawn in this run. A file that
// cannot be written is logged and left alone; the next run draws again.
void keep(const CardPictures& pictures);

} // namespace pictureFile
