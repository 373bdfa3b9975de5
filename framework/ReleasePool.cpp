#include "framework/ReleasePool.h"

ReleasePool::~ReleasePool()
{
    stopTimer();
    timerCallback();

    std::vector<std::shared_ptr<void>> remaining;
    {
        const std::lock_guard<std::mutex> guard (lock);
        remaining.swap (pool);
    }

    while (! remaining.empty())
        remaining.pop_back();
}

void ReleasePool::add (std::shared_ptr<void> object)
{
    const std::lock_guard<std::mutex> guard (lock);
    pool.push_back (std::move (object));
}

void ReleasePool::timerCallback()
{
    // Doomed entries leave the pool under the lock and die after it is released:
    // a destructor may take other locks or add to this pool.
    std::vector<std::shared_ptr<void>> doomed;
    {
        const std::lock_guard<std::mutex> guard (lock);

        auto keep = pool.begin();
        for (auto it = pool.begin(); it != pool.end(); ++it)
        {
            if (*it == nullptr || it->use_count() == 1)
                doomed.push_back (std::move (*it));
            else
            {
                if (keep != it)
                    *keep = std::move (*it);
                ++keep;
            }
        }
        pool.erase (keep, pool.end());
    }

    while (! doomed.empty())
        doomed.pop_back();
}

size_t ReleasePool::size() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return pool.size();
}
