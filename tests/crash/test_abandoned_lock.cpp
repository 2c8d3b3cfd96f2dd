// The lock of calendar.dat left behind by a process killed at any moment never keeps the others
// out for long, while a lock that is held still does.
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventFileLock.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTest>

namespace {

// Writes a file last changed 5 s ago.
bool Old_File(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.setFileTime(QDateTime::currentDateTime().addSecs(-5),
                            QFileDevice::FileModificationTime);
}

} // namespace

class AbandonedLockTest : public QObject {
    Q_OBJECT

  private slots:
    void lock_of_a_killed_process_is_taken_over_and_a_held_one_is_not() {
        TestEnv env;
        const QString dat = env.Root() + "/calendar.dat";
        {
            QLockFile held(dat + ".lock");
            QVERIFY(held.tryLock(0));
            QVERIFY(!EventFileLock(dat, 300).Locked());
        }
        // Killed between making the lock file and writing its process id into it.
        QVERIFY(Old_File(dat + ".lock", {}));
        QVERIFY(EventFileLock(dat, 0).Locked());

        // Killed while removing the stale lock of a process that died: the lock names a process
        // that is gone, and the remover's own lock file stays empty.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QVERIFY(Old_File(dat + ".lock", QByteArray::number(pid) + "\n\n\n"));
        QVERIFY(Old_File(dat + ".lock.rmlock", {}));
        QVERIFY(EventFileLock(dat, 0).Locked());
    }
};

ALMANOR_TEST(AbandonedLockTest)
#include "test_abandoned_lock.moc"
