#include "platform/qt/file_filters.h"

namespace marvolin::platform::qt {
namespace {

QStringList Patterns(const std::string& pattern) {
    return QString::fromUtf8(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

// The name of a name filter: what comes before its parenthesised patterns.
QString NamePart(const QString& nameFilter) {
    const QString trimmed = nameFilter.trimmed();
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !trimmed.endsWith(QLatin1Char(')'))) {
        return trimmed;
    }
    return trimmed.left(open).trimmed();
}

}  // namespace

QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        QStringList patterns = Patterns(filter.pattern);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        nameFilters.append(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(filter.name),
                                                         patterns.join(QLatin1Char(' '))));
    }
    return nameFilters;
}

int FilterIndex(const QStringList& nameFilters, const QString& selected) {
    const qsizetype exact = nameFilters.indexOf(selected);
    if (exact >= 0) {
        return static_cast<int>(exact) + 1;
    }
    const QString name = NamePart(selected);
    if (name.isEmpty()) {
        return 1;
    }
    for (qsizetype i = 0; i < nameFilters.size(); ++i) {
        if (NamePart(nameFilters[i]) == name) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

QString FilterSuffix(const FileFilter& filter) {
    const QStringList patterns = Patterns(filter.pattern);
    if (patterns.isEmpty()) {
        return {};
    }
    const QString pattern = patterns.front().trimmed();
    if (!pattern.startsWith(QLatin1String("*."))) {
        return {};
    }
    const QString suffix = pattern.mid(2);
    for (const QChar c : suffix) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_')) {
            return {};
        }
    }
    return suffix;
}

QString DefaultSuffix(const std::vector<FileFilter>& filters) {
    return filters.empty() ? QString() : FilterSuffix(filters.front());
}

}  // namespace marvolin::platform::qt
