// SPDX-License-Identifier: GPL-3.0-or-later
// The record's folder: the files of one child or of all, the folder's secret for file
// names, deleting, renaming and listing children.
#include "lernstand/Record.h"

#include <QCollator>
#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <iterator>
#include <map>

#include "platform/files/RecordFiles.h"

namespace lernstand {

namespace {

const QString kSuffix = QStringLiteral(".lernstand");
const QString kSecretFile = QStringLiteral(".lernstand-schluessel");

// The child a record file is about: the name inside it, else (an earlier version's file)
// the one its name encodes.
struct FileContents {
    QString key;
    std::vector<Result> results;
};

FileContents readFile(const QString& folder, const QString& name) {
    FileContents contents;
    contents.results = parse(platform::readRecordFile(folder + QLatin1Char('/') + name, kMaxFileBytes), nullptr,
                             &contents.key);
    if (contents.key.isEmpty()) contents.key = childOfFile(name);
    return contents;
}

// The computer part of a record file's name.
QString computerOfFile(const QString& name) {
    const QString stem = name.left(name.size() - kSuffix.size());
    const qsizetype cut = std::max(stem.lastIndexOf(QLatin1Char('~')), stem.lastIndexOf(QLatin1Char('.')));
    return stem.mid(cut + 1);
}

bool earlier(const Result& a, const Result& b) { return a.day < b.day; }

// Appends one file's results (by day, as written) to those of others (by day), keeping the order.
void mergeIn(std::vector<Result>& into, std::vector<Result>&& more) {
    const auto middle = static_cast<std::ptrdiff_t>(into.size());
    into.insert(into.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    if (!std::is_sorted(into.begin() + middle, into.end(), earlier))
        std::stable_sort(into.begin() + middle, into.end(), earlier);
    std::inplace_merge(into.begin(), into.begin() + middle, into.end(), earlier);
}

}  // namespace

// The folder's secret when there is one.
QByteArray existingSecret(const QString& folder) {
    bool ok = false;
    QByteArray secret = platform::readRecordFile(folder + QLatin1Char('/') + kSecretFile, 256, &ok);
    secret = secret.left(secret.indexOf('\n')).trimmed();
    return ok && secret.size() >= 32 ? secret : QByteArray();
}

QByteArray folderSecret(const QString& folder, QString* why) {
    const QString path = folder + QLatin1Char('/') + kSecretFile;
    QByteArray secret = existingSecret(folder);
    if (!secret.isEmpty()) return secret;
    bool ok = false;
    // Made once; a computer that makes it at the same moment as another reads the other's.
    QByteArray made;
    for (int i = 0; i < 4; ++i) made += QByteArray::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, '0');
    bool created = false;
    const QString failure = platform::appendRecordLine(path, made + '\n', &created);
    if (!failure.isEmpty()) {
        if (why) *why = failure;
        return {};
    }
    secret = platform::readRecordFile(path, 256, &ok);
    secret = secret.left(secret.indexOf('\n')).trimmed();
    if (!ok || secret.size() < 32) {
        if (why) *why = QStringLiteral("der Schlüssel des Ordners ist unlesbar");
        return {};
    }
    return secret;
}

std::vector<Result> readChild(const QString& folder, const QString& key) {
    std::vector<Result> results;
    // The child's files are known by their names: no other child's file is read.
    const QByteArray secret = existingSecret(folder);
    const QString own = secret.isEmpty() ? QString() : fileName(key, QString(), secret).section(QLatin1Char('.'), 0, 0) + QLatin1Char('.');
    for (const QString& name : platform::recordFolderFiles(folder)) {
        if (!isRecordFile(name) || !((!own.isEmpty() && name.startsWith(own)) || childOfFile(name) == key)) continue;
        FileContents contents = readFile(folder, name);
        if (!contents.key.isEmpty() && contents.key != key) continue;
        mergeIn(results, std::move(contents.results));
    }
    return results;
}

std::vector<Child> readAll(const QString& folder) {
    std::map<QString, std::vector<Result>> byChild;
    for (const QString& name : platform::recordFolderFiles(folder)) {
        if (!isRecordFile(name)) continue;
        FileContents contents = readFile(folder, name);
        if (contents.key.isEmpty()) continue;
        mergeIn(byChild[contents.key], std::move(contents.results));
    }
    std::vector<Child> children;
    for (auto& [key, results] : byChild) children.push_back({key, std::move(results)});
    return children;
}

namespace {

// The record files of the folder with the child each is about.
std::vector<std::pair<QString, QString>> filesWithChildren(const QString& folder) {
    std::vector<std::pair<QString, QString>> files;
    for (const QString& name : platform::recordFolderFiles(folder)) {
        if (!isRecordFile(name)) continue;
        QString key = childOfFile(name);
        if (key.isEmpty()) {
            // Only the name lines are needed: they are few, so they are looked for directly.
            const QByteArray bytes = platform::readRecordFile(folder + QLatin1Char('/') + name, kMaxFileBytes);
            for (qsizetype at = bytes.startsWith("n\t") ? 0 : bytes.indexOf("\nn\t"); at >= 0;
                 at = bytes.indexOf("\nn\t", at + 1)) {
                const qsizetype begin = bytes[at] == '\n' ? at + 1 : at;
                const qsizetype end = bytes.indexOf('\n', begin);
                if (end < 0) break;
                QString named;
                parse(bytes.mid(begin, end - begin + 1), nullptr, &named);
                if (!named.isEmpty()) key = named;
            }
        }
        if (!key.isEmpty()) files.emplace_back(name, key);
    }
    return files;
}

}  // namespace

QStringList forget(const QString& folder, const QString& key, QStringList* failures, QStringList* children) {
    QStringList deleted;
    for (const auto& [name, child] : filesWithChildren(folder)) {
        if (!key.isEmpty() && child != key) continue;
        const QString why = platform::removeRecordFile(folder + QLatin1Char('/') + name);
        if (why.isEmpty()) {
            deleted << name;
            if (children && !children->contains(child)) *children << child;
        } else if (failures) {
            *failures << name + QStringLiteral(": ") + why;
        }
    }
    return deleted;
}

namespace {
std::atomic<int> renameCount{0};
}  // namespace

int renames() { return renameCount.load(); }

bool renameChild(const QString& folder, const QString& oldName, const QString& newName, QString* why) {
    ++renameCount;
    const auto fail = [&](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    const QString from = childKey(oldName), to = childKey(newName);
    if (to.isEmpty()) return fail(QStringLiteral("Der neue Name ist leer."));
    if (from == to) return true;  // only the case differs: the same child
    const auto files = filesWithChildren(folder);
    for (const auto& [name, child] : files)
        if (child == to)
            return fail(QStringLiteral("Über „%1“ ist schon ein Lernstand gespeichert.").arg(shownName(to)));
    QString problem;
    const QByteArray secret = folderSecret(folder, &problem);
    if (secret.isEmpty()) return fail(QStringLiteral("Der Lernstand kann nicht umbenannt werden (%1).").arg(problem));
    for (const auto& [name, child] : files) {
        if (child != from) continue;
        const QString path = folder + QLatin1Char('/') + name;
        QString failure = platform::appendRecordLine(path, nameLine(to));
        if (failure.isEmpty())
            failure = platform::renameRecordFile(path, folder + QLatin1Char('/') + fileName(to, computerOfFile(name), secret));
        if (!failure.isEmpty())
            return fail(QStringLiteral("Die Datei %1 kann nicht umbenannt werden (%2).").arg(name, failure));
    }
    return true;
}

QStringList childNames(const QString& folder) {
    QStringList names;
    for (const auto& [name, child] : filesWithChildren(folder))
        if (!names.contains(shownName(child))) names << shownName(child);
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return german.compare(a, b) < 0; });
    return names;
}

}  // namespace lernstand
