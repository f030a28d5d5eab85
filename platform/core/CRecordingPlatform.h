#pragma once

#include "CPlatform.h"

#include <functional>
#include <string>
#include <vector>

// The platform of the tests and of the batch front end: message boxes are recorded and
// answered without a window, the clock reads what was set, and output and cursors are
// recorded. Installed for its lifetime, for the process or for the thread that makes it;
// the previous platform comes back when it goes.
class CRecordingPlatform : public CPlatform
{
public:
    struct Message
    {
        std::string text;
        unsigned nType;
    };

    enum class EScope
    {
        Process,
        // The making thread alone, so that threads can each record their own.
        ThisThread,
    };

    explicit CRecordingPlatform(EScope scope = EScope::Process);
    ~CRecordingPlatform() override;

    int MessageBox(const std::string& text, unsigned nType) override;
    std::int64_t CalendarTime() override;
    std::int64_t MonotonicMilliseconds() override;
    void WriteOutput(std::string_view text) override { m_output.append(text); }
    void SetCursor(ECursor cursor) override { m_cursors.push_back(cursor); }

    // The answers the next boxes get, in order; once they run out, OK or No.
    void QueueAnswer(int nAnswer) { m_answers.push_back(nAnswer); }
    // Sets the calendar clock; each later reading first adds the step (0: the clock stands
    // still). Unless SetMonotonicTime has been called, the steady clock moves with it, by as
    // much at each step, as both do when nobody touches the calendar.
    void SetTime(std::int64_t nSeconds, std::int64_t nStep = 0);
    // Sets the steady clock apart from the calendar, as after a step of the calendar; each
    // later reading first adds the step. SetTime makes it follow the calendar again.
    void SetMonotonicTime(std::int64_t nMilliseconds, std::int64_t nStepMilliseconds = 0);
    // Called at each reading, before the clock answers: a test can move time along.
    void OnTimeRead(std::function<void()> hook) { m_onTimeRead = std::move(hook); }
    // Called while each box is up, before it is answered.
    void OnMessageBox(std::function<void()> hook) { m_onMessageBox = std::move(hook); }

    const std::vector<Message>& Messages() const { return m_messages; }
    const std::string& Output() const { return m_output; }
    const std::vector<ECursor>& Cursors() const { return m_cursors; }
    int TimeReads() const { return m_nTimeReads; }
    void ClearRecords();

private:
    EScope m_scope;
    CPlatform* m_pPrevious = nullptr;
    std::vector<Message> m_messages;
    // A vector, not a deque: a deque allocates as soon as it is made, and each batch game
    // makes two recording platforms.
    std::vector<int> m_answers;
    std::string m_output;
    std::vector<ECursor> m_cursors;
    std::int64_t m_nTime = 0;
    std::int64_t m_nStep = 0;
    bool m_bFirstRead = true;
    std::int64_t m_nMonotonic = 0;
    std::int64_t m_nMonotonicStep = 0;
    bool m_bMonotonicFirstRead = true;
    bool m_bMonotonicApart = false;
    int m_nTimeReads = 0;
    std::function<void()> m_onTimeRead;
    std::function<void()> m_onMessageBox;
};
