#include "cli/Usage.h"

namespace tavi::cli
{

QString usageText()
{
    return QStringLiteral(
        "Uso: tavi [ESTUDO.tavi]\n"
        "     tavi calcular ESTUDO.tavi [--saida ARQUIVO] [--setor SETOR]...\n"
        "     tavi calcular ESTUDO.tavi --horizonte [--saida ARQUIVO]\n"
        "     tavi projetar ANO=POP ANO=POP [ANO=POP]... --ate ANO [--saturacao POP]\n"
        "     tavi vazoes ARQUIVO [--inicio-ano-hidrologico MES]\n"
        "     tavi --ajuda | --help\n"
        "     tavi --versao\n"
        "\n"
        "Sem comando, abre a janela principal (e o estudo, se dado).\n"
        "\n"
        "calcular  calcula o resumo do município a partir do estudo, sem abrir janelas, e\n"
        "          escreve para cada setor o volume anual, a participação, o dia de maior\n"
        "          demanda e essa demanda, o total com o seu dia de maior demanda e a máxima\n"
        "          vazão indisponível da diluição de esgotos, com o seu ponto. Um estudo\n"
        "          com balanço hídrico escreve depois o balanço: a vazão de referência e a\n"
        "          outorgável, a demanda contra elas com a sua classe e cada mês.\n"
        "\n"
        "  --saida ARQUIVO  grava também, conforme a extensão:\n"
        "                   .xlsx  a pasta de trabalho do resumo, como a do botão Salvar\n"
        "                          (e as folhas do balanço hídrico, se houver);\n"
        "                   .csv   a tabela diária, separada por \";\", com o separador\n"
        "                          decimal das configurações regionais;\n"
        "                   .pdf   o relatório impresso (com o capítulo do horizonte\n"
        "                          de planejamento, se o estudo tiver um).\n"
        "  --setor SETOR    calcula só esse setor (pode ser repetida): abastecimento,\n"
        "                   pecuaria, agricultura ou diluicao.\n"
        "  --horizonte      em vez do resumo, calcula cada cenário do horizonte de\n"
        "                   planejamento do estudo, ano a ano, e escreve os números do\n"
        "                   ano final de cada cenário (e, com balanço hídrico, o\n"
        "                   primeiro ano crítico de cada um); com --saida grava:\n"
        "                   .csv   uma linha por cenário e ano,\n"
        "                          cenario;ano;abastecimento;pecuaria;agricultura;total\n"
        "                          (m3 por ano);\n"
        "                   .xlsx  a pasta de trabalho do horizonte: a tabela de cada\n"
        "                          cenário, os totais, as diferenças e os gráficos;\n"
        "                   .pdf   o relatório impresso, com o capítulo do horizonte.\n"
        "\n"
        "projetar  projeta a população das contagens (censos e estimativas, ANO=POP, como\n"
        "          2010=62000 ou 2010=62.000) até o ano dado, por cada método: aritmético,\n"
        "          geométrico, taxa decrescente de crescimento, curva logística e as\n"
        "          tendências por mínimos quadrados (linear, exponencial, logarítmica e de\n"
        "          potência, com o R²); diz por que um método não se aplica.\n"
        "\n"
        "  --ate ANO          o ano da projeção (1872 a 2100).\n"
        "  --saturacao POP    a população de saturação da taxa decrescente, quando três\n"
        "                     contagens igualmente espaçadas não a dão.\n"
        "\n"
        "vazoes    lê uma série de vazões diárias (a exportação do HidroWeb, ou um texto de\n"
        "          data e vazão em m3/s) e escreve os anos usados e os deixados de fora\n"
        "          (mais de 5 % dos dias sem vazão), e as vazões de referência: Q90 e Q95 da\n"
        "          curva de permanência, Q7,10 (mínimas anuais da média de 7 dias, ajuste de\n"
        "          Weibull, com a log-normal de 3 parâmetros e a frequência empírica ao\n"
        "          lado) e QMLT, a vazão média de longo termo.\n"
        "\n"
        "  --inicio-ano-hidrologico MES  o mês (1 a 12) em que começa o ano das mínimas;\n"
        "                                sem a opção, o ano civil.\n"
        "\n"
        "Status de saída:\n"
        "  0  tudo foi calculado;\n"
        "  1  algum setor (ou cenário, com --horizonte) ou o balanço hídrico não pôde\n"
        "     ser calculado (a mensagem diz onde); os demais foram escritos e gravados;\n"
        "     com vazoes, a Q7,10 não pôde ser calculada (as demais vazões foram\n"
        "     escritas);\n"
        "  2  argumentos inválidos (contagens inclusive), estudo ou série de vazões que\n"
        "     não pôde ser lido,\n"
        "     estudo sem horizonte de planejamento (com --horizonte) ou arquivo de saída\n"
        "     que não pôde ser gravado; nada foi gravado.\n");
}

QString versionText()
{
    return QStringLiteral("tavi %1").arg(QLatin1String(TAVI_VERSION));
}

QString usageHint()
{
    return QStringLiteral("Use \"tavi --ajuda\" para ver as opções.");
}

} // namespace tavi::cli
