#pragma once
// The gallery's database: the delivered content plus a few catalogue rows and entries of the
// accounting month, with "admin" logged in.
#include <QTemporaryDir>

class GalleryFixture {
public:
    GalleryFixture();
    ~GalleryFixture();

private:
    QTemporaryDir dir_;
};
