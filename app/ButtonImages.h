#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the frame's buttons, painted at run time, by the ids of
// the bitmaps they stand for: 175 "1:2", 176 "|", 177 "2:1", 178 "Fit",
// 179 "U", 180 "D", 181 "<<", 182 ">>", 183 Code, 184 Sort, 185 Fold,
// 186 Unfold, 187 Draw, 188 Stop. An unknown id gives an empty icon.
QIcon ButtonImage(int bitmap);

// The picture in the About box.
QPixmap AboutPicture(int size);
