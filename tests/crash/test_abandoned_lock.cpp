// The lock of calendar.dat left behind by a process killed at any moment never keeps the others
// out for long, while a lock that is held still does.
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventFileLock.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QTest>

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
        QFile empty(dat + ".lock");
        QVERIFY(empty.open(QIODevice::WriteOnly));
        QVERIFY(empty.setFileTime(QDateTime::currentDateTime().addSecs(-5),
                                  QFileDevice::FileModificationTime));
        empty.close();
        QVERIFY(EventFileLock(dat, 0).Locked());
    }
};

ALMANOR_TEST(AbandonedLockTest)
#include "test_abandoned_lock.moc"
