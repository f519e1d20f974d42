// Renders every registered scene to a PNG: gallery DIR
#include "Gallery.h"
#include "GalleryFixture.h"

#include "Application.h"
#include "Startup.h"

#include <QDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
std::vector<Gallery::Scene>& scenes()
{
    static std::vector<Gallery::Scene> s;
    return s;
}
} // namespace

bool Gallery::add(Scene scene)
{
    scenes().push_back(std::move(scene));
    return true;
}

int main(int argc, char** argv)
{
    Application app(argc, argv);
    prepareLookAndLanguage(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zz_gallery DIR [scene-name-filter]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(out);
    GalleryFixture fixture;
    auto& all = scenes();
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    int failures = 0;
    for (const Gallery::Scene& s : all) {
        if (!filter.isEmpty() && !s.name.contains(filter))
            continue;
        const bool ok = runGuarded([&] {
            QWidget* w = s.make();
            if (s.size.isValid())
                w->resize(s.size);
            w->show();
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents();
            if (s.ready)
                s.ready(w);
            QApplication::processEvents();
            const QString file = QDir(out).filePath(s.name + QStringLiteral(".png"));
            if (!w->grab().save(file))
                throw std::runtime_error("cannot write " + file.toStdString());
            std::printf("%s\n", qPrintable(file));
            w->close();
            delete w;
        });
        if (!ok)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
