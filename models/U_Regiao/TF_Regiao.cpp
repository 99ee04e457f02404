#include "models/U_Regiao/TF_Regiao.h"

struct TF_Regiao::Parts {
    tavi::region::Region region = tavi::region::emptyRegion();
    QString path;
};

TF_Regiao::TF_Regiao(QWidget *parent, const QString &)
    : ModuleWindow(parent), m_parts(std::make_unique<Parts>())
{
    setObjectName(QStringLiteral("TF_Regiao"));
    setWindowTitle(QStringLiteral("Região"));
}

TF_Regiao::~TF_Regiao() = default;

bool TF_Regiao::openRegion(const QString &)
{
    return false;
}

const tavi::region::Region &TF_Regiao::region() const
{
    return m_parts->region;
}

QString TF_Regiao::regionPath() const
{
    return m_parts->path;
}

bool TF_Regiao::isModified() const
{
    return false;
}

QString TF_Regiao::municipalityToOpen() const
{
    return {};
}

const tavi::region::RegionResults *TF_Regiao::shownResults() const
{
    return nullptr;
}
