#pragma once
// The message presenter of the tests: records every message and answers from a queue. A message that no
// test expected (an empty queue) fails the test.

#include "core/OrvMessages.h"

#include <QList>

class TScriptedPresenter : public TMessagePresenter {
public:
    // Installs itself; the destructor puts the previous presenter back.
    TScriptedPresenter();
    ~TScriptedPresenter() override;

    // The answer to give to the next message.
    void Expect(int answer = mrOk) { FAnswers.append(answer); }
    int Present(const TMessageRequest& request) override;

    const QList<TMessageRequest>& Messages() const { return FMessages; }
    const TMessageRequest& Last() const { return FMessages.last(); }
    int Count() const { return int(FMessages.size()); }
    int Unanswered() const { return int(FAnswers.size()); }
    void Reset() {
        FMessages.clear();
        FAnswers.clear();
    }

private:
    TMessagePresenter* FPrevious;
    QList<TMessageRequest> FMessages;
    QList<int> FAnswers;
};
