#pragma once
// Reading one topic out of the help file.
//
// The help file is an HTML page holding every topic, so it also reads well in
// any web browser. Each topic starts at a marker line of its own,
//     <!-- topic 1000 -->
// and runs to the next marker (or the end). The <style> block before the
// first marker applies to every topic. Links between topics are written
// href="#2000", or href="#3000-keys" for a place inside a topic, marked there
// with <a name="3000-keys">.
#include <QString>

namespace dovrel::help {

struct Topic {
    bool found = false;
    QString html;     // the topic as a page of its own, when found
    QString problem;  // what went wrong, in words for the player, when not
};

// Reads the file afresh and picks out one topic.
Topic readTopic(const QString& path, int context);

}  // namespace dovrel::help
