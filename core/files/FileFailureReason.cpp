#include "core/files/FileFailureReason.h"

#include <cerrno>
#include <cstring>

namespace tavi
{

QString readOnlyFileReason()
{
    return QStringLiteral("O arquivo é somente leitura");
}

QString fileFailureReason(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Permissão negada");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("A pasta não existe");
    case ENAMETOOLONG:
        return QStringLiteral("O nome do arquivo é longo demais");
    case EROFS:
        return readOnlyFileReason();
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("Disco cheio");
    case EISDIR:
        return QStringLiteral("O nome escolhido é o de uma pasta");
    case ELOOP:
        return QStringLiteral("O atalho (link simbólico) leva a ele mesmo");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("O arquivo está em uso");
    case EIO:
        return QStringLiteral("Erro de leitura ou gravação no disco");
    case ENOMEM:
        return QStringLiteral("Memória insuficiente");
    default:
        break;
    }
    const QString detail = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                            : QStringLiteral("erro desconhecido");
    return QStringLiteral("Erro do sistema ao gravar o arquivo (%1)").arg(detail);
}

} // namespace tavi
