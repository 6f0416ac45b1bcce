#pragma once

#include <QByteArray>

class QIODevice;

namespace nexmar {

// Writes svg into file as a PDF of one page as large as the picture, the
// picture on it as shapes and text; false when the page cannot be painted.
bool WritePicturePdf(const QByteArray& svg, QIODevice& file);

}  // namespace nexmar
