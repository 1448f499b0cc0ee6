#include "exports/ProblemList.h"

namespace {
constexpr qsizetype ProblemsListed = 12;
const QString Break = QStringLiteral("\r\n");
} // namespace

QString problemMessage(const QString &leadIn, const QStringList &problems, const QString &closing)
{
    QStringList lines = problems.mid(0, ProblemsListed);
    if (problems.size() > ProblemsListed)
        lines << QStringLiteral("… und %1 weitere").arg(problems.size() - ProblemsListed);
    return leadIn + Break + Break + lines.join(Break) + Break + Break + closing;
}
