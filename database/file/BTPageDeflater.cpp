#include "database/file/BTPageDeflater.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Fewer pages than this are not worth waking the workers for.
const size_t kParallelFrom = 8;

// One thread's stream, made on its first page and kept.
class Stream
{
public:
    Stream() : m_stream(), m_ready(false) {}
    ~Stream()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    void Run(BTPageDeflater::Job& job)
    {
        int result = Z_OK;
        if (m_ready) {
            result = deflateReset(&m_stream);
        } else {
            m_stream = z_stream();
            result = deflateInit(&m_stream, Z_DEFAULT_COMPRESSION);
            m_ready = result == Z_OK;
        }
        if (result != Z_OK) {
            job.result = result;
            return;
        }
        m_stream.next_in = const_cast<Bytef*>(job.source);
        m_stream.avail_in = job.sourceLength;
        m_stream.next_out = job.dest;
        m_stream.avail_out = job.destCapacity;
        result = deflate(&m_stream, Z_FINISH);
        if (result == Z_STREAM_END) {
            job.destLength = (UINT)m_stream.total_out;
            job.result = Z_OK;
        } else {
            job.result = result == Z_OK ? Z_BUF_ERROR : result;
        }
    }

private:
    z_stream m_stream;
    bool m_ready;
};

Stream& ThreadStream()
{
    thread_local Stream stream;
    return stream;
}

// The workers wait for a batch, take its jobs one at a time by an atomic
// index and report when they leave it.
class Pool
{
public:
    explicit Pool(int workers) : m_jobs(nullptr), m_count(0), m_next(0), m_generation(0), m_busy(0)
    {
        for (int i = 0; i < workers; ++i) {
            try {
                std::thread(&Pool::Work, this).detach();
                ++m_workers;
            } catch (...) {
                break; // fewer workers: the caller deflates the rest
            }
        }
    }

    int GetWorkers() const { return m_workers; }

    void Run(BTPageDeflater::Job* jobs, size_t count, int helpers)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_jobs = jobs;
            m_count = count;
            m_next.store(0);
            m_helpers = helpers;
            ++m_generation;
        }
        m_wake.notify_all();
        Drain();
        std::unique_lock<std::mutex> lock(m_mutex);
        // Workers that joined the batch finish their last job before the
        // batch's jobs may go away.
        m_done.wait(lock, [&] { return m_busy == 0; });
        m_jobs = nullptr;
        m_count = 0;
    }

private:
    void Drain()
    {
        Stream& stream = ThreadStream();
        for (size_t i = m_next.fetch_add(1); i < m_count; i = m_next.fetch_add(1))
            stream.Run(m_jobs[i]);
    }

    void Work()
    {
        unsigned long long seen = 0;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_generation != seen; });
                seen = m_generation;
                if (m_helpers <= 0 || !m_jobs)
                    continue;
                --m_helpers;
                ++m_busy;
            }
            Drain();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                --m_busy;
            }
            m_done.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    BTPageDeflater::Job* m_jobs;
    size_t m_count;
    std::atomic<size_t> m_next;
    unsigned long long m_generation;
    int m_busy;
    int m_helpers = 0;
    int m_workers = 0;
};

int g_limit = 0;

int PoolThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return (int)std::max(1u, std::min<unsigned>(BTPageDeflater::kMaxThreads, cores ? cores : 1));
}

// Made on first use and never destroyed: its workers wait for the process's end.
Pool& ThePool()
{
    static Pool* pool = new Pool(PoolThreads() - 1);
    return *pool;
}

} // namespace

int BTPageDeflater::GetThreadCount()
{
    const int threads = ThePool().GetWorkers() + 1;
    return g_limit > 0 ? std::min(g_limit, threads) : threads;
}

void BTPageDeflater::LimitThreads(int threads)
{
    g_limit = threads;
}

void BTPageDeflater::Deflate(Job* jobs, size_t count)
{
    const int threads = GetThreadCount();
    if (threads <= 1 || count < kParallelFrom) {
        Stream& stream = ThreadStream();
        for (size_t i = 0; i < count; ++i)
            stream.Run(jobs[i]);
        return;
    }
    ThePool().Run(jobs, count, threads - 1);
}
