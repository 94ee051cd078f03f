// SPDX-License-Identifier: GPL-2.0-or-later
// Paths of the document for the file layer.
#include "app/movie_document.h"

#include <QFile>

namespace brelvo::app {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace brelvo::app
