#pragma once

#include "core/base/TaviError.h"
#include "core/region/Region.h"

#include <QByteArray>
#include <QString>

// Region files (".tavi-regiao"): UTF-8 JSON,
//   {"formato": "tavi-regiao", "versao": 1, "nome": ..., "notas": ...,
//    "modelo": <the template, as a study file's object>,
//    "municipios": [{"codigo": "3550308", "nome": "São Paulo", "uf": "SP", "grupo": "...",
//                    "janelas": {<window>: {<component>: text or grid}},
//                    "horizonte": ..., "balanco": ..., "origens": {<input path>: text},
//                    "indisponiveis": {<input path>: text}, "vazao_referencia": "12.5",
//                    "origem_vazao": "..."}, ...]}
// A municipality's "janelas" hold only its overrides; members it lacks are the template's.
namespace tavi::region
{

constexpr int kRegionFileVersion = 1;
constexpr QLatin1String kRegionFileSuffix("tavi-regiao");
// A region of every municipality of the country with a year of daily series each is some
// hundreds of megabytes; far beyond that is not a region file.
constexpr qint64 kLargestRegionFile = 1024LL * 1024 * 1024;

// What is wrong with a region file's content, in Portuguese, naming the member
// ("municipios[12]/codigo: \"35503\" não é um código de município do IBGE").
class RegionFormatError : public TaviError
{
public:
    using TaviError::TaviError;
};

struct RegionReading {
    Region region;
    // For a recovery copy: the file the region was last opened from or saved to, if any.
    QString originalPath;
};

// Throws RegionFormatError.
RegionReading readRegion(const QByteArray &content);
QByteArray writeRegion(const Region &region, const QString &originalPath = QString());

// Throw TaviError with a message that names the file. Saving replaces an earlier file only
// once the new one is complete on the disk.
RegionReading loadRegionFile(const QString &path);
void saveRegionFile(const QString &path, const Region &region);

} // namespace tavi::region
