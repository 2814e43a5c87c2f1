#include "app/Launch.h"

#include "common/Paths.h"

CatalogueEntry prefixedEntry(const CatalogueEntry& entry, const QString& dataFolder)
{
    CatalogueEntry copy = entry;
    for (QString* name : {&copy.TextFile, &copy.TransFile, &copy.PictureFile})
        *name = coursePath(dataFolder + *name);
    for (QString* name : {&copy.SoundFile, &copy.TimingFile})
        if (!name->isEmpty())
            *name = coursePath(dataFolder + *name);
    return copy;
}
