// Converts items with the real family routines, as the converter's run would,
// for the end-to-end tests: each line of the job file is one item. Writes one
// report line per job with what the run did to the item.
//
// Usage: e2e_driver PROGRAM_FOLDER JOB_FILE REPORT_FILE
// Job line (tab separated): job-number  tab  3gp-type  profile-entry  source  begin  end  stop-at-pass
//                            output-folder
// The item's PSP file number is 10000 + job-number. stop-at-pass 0 runs to the
// end; n presses Stop as the n-th pass's program starts, and the report says in
// which pass the Stop was handled (0 when the item's passes had all run by then).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/app_folder.h"
#include "engine/family_routines.h"
#include "engine/output_directory.h"
#include "engine/stop_conversion.h"
#include "engine/work_files.h"
#include "framework/message_loop.h"
#include "support/fake_settings.h"
#include "support/fake_views.h"
#include "support/message_button.h"
#include "support/process_parent.h"

namespace {

struct Job {
    int number = 0;
    int tab = 0;
    int threeGpType = 0;
    int profileEntry = 0;
    std::string source;
    double begin = 0.0;
    double end = 0.0;
    int stopAtPass = 0;
    std::string outputFolder;
};

// Counts, at every repaint, how often the item's encoded time moved on.
class ProgressWatch : public IItemView {
public:
    explicit ProgressWatch(const TaskList& tasks) : tasks_(tasks) {}
    void RepaintProgressCell(int itemIndex) override {
        const double time = tasks_.Copy(itemIndex).encodedTime;
        if (time > lastTime_) ++steps;
        lastTime_ = std::max(time, lastTime_);
    }
    void RepaintOutputCell(int) override {}
    int steps = 0;

private:
    const TaskList& tasks_;
    double lastTime_ = 0.0;
};

// Presses Stop as the wanted pass's program starts. The driver runs in a job
// whose completion port reports every new process; a thread counts the
// driver's own children (not the encoders they start) and posts the stop
// button's message as soon as the wanted one appears. The run's own wait
// dispatches it while that pass runs.
class StopPresser {
public:
    StopPresser(const EngineContext& context, bool& cancelRequested, int stopAtPass)
        : stopAtPass_(stopAtPass), button_([this, &context, &cancelRequested] {
              stoppedInPass_ = context.item.passesEnded ? 0 : passesStarted_.load();
              cancelRequested = true;
              StopItem(context);
          }) {
        if (stopAtPass_ == 0) return;
        // What earlier jobs' processes reported belongs to them.
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED detail = nullptr;
        while (GetQueuedCompletionStatus(port_, &message, &key, &detail, 0)) {
        }
        watcher_ = std::thread([this] { Watch(); });
    }
    ~StopPresser() {
        if (watcher_.joinable()) {
            PostQueuedCompletionStatus(port_, 0, kQuitKey, nullptr);
            watcher_.join();
        }
    }
    // The number of passes started when the Stop was handled; 0 when it never
    // was, or only after the passes (a short last pass can end before its Stop arrives).
    int StoppedInPass() const { return stoppedInPass_; }

    static void JoinJob() {
        const HANDLE job = CreateJobObjectA(nullptr, nullptr);
        port_ = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {reinterpret_cast<PVOID>(kJobKey), port_};
        SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association, sizeof association);
        AssignProcessToJobObject(job, GetCurrentProcess());
    }

private:
    static constexpr ULONG_PTR kJobKey = 1;
    static constexpr ULONG_PTR kQuitKey = 2;

    void Watch() {
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED detail = nullptr;
        while (GetQueuedCompletionStatus(port_, &message, &key, &detail, INFINITE) && key != kQuitKey) {
            if (message != JOB_OBJECT_MSG_NEW_PROCESS) continue;
            const DWORD child = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(detail));
            if (ParentOf(child) != GetCurrentProcessId()) continue;
            if (++passesStarted_ == stopAtPass_) PostMessageA(button_.Window(), WM_APP, 0, 0);
        }
    }

    inline static HANDLE port_ = nullptr;
    int stopAtPass_;
    std::atomic<int> passesStarted_{0};
    int stoppedInPass_ = 0;
    MessageButton button_;
    std::thread watcher_;
};

std::string RunJob(const Job& job) {
    TaskList tasks;
    ConversionItem item;
    item.sourcePath = job.source;
    item.outputName = std::filesystem::path(job.source).stem().string();
    item.title = item.outputName;
    item.workName = item.outputName;
    item.beginTime = job.begin;
    item.endTime = job.end;
    item.fileNumber = 10000 + job.number;
    tasks.Append(item);

    int currentItemIndex = 0;
    FakeSettings settings;
    settings.deviceTab = job.tab;
    settings.profileEntry = job.profileEntry;
    settings.profileSetting = job.profileEntry;  // the iPod family's "Profile setting" follows the same number
    settings.threeGpType = job.threeGpType;
    ProgressWatch watch(tasks);
    // The passes alone: the media-library helper is the run's, never started here.
    RunParts run;
    const EngineContext context{tasks,      currentItemIndex, settings,     watch, run.cancelRequested,
                                run.runner, run.item,         run.heldNames};
    outputDirectory = job.outputFolder;

    int stoppedInPass = 0;
    {
        StopPresser presser(context, run.cancelRequested, job.stopAtPass);
        BeginItem(context);
        run.item.itemStartTick = GetTickCount();
        ConvertWithFamilyOfTab(context);
        PumpMessages();  // a Stop posted while the last pass was ending is handled now, after the passes
        stoppedInPass = presser.StoppedInPass();
    }
    // As the run does once its items have ended: what a stopped pass still held goes.
    FinishPendingDeletions(tasks);
    const ConversionItem done = tasks.Copy(0);
    std::ostringstream report;
    report << "job=" << job.number << " stoppedInPass=" << stoppedInPass << " status=" << done.status
           << " finished=" << done.finished << " progressSteps=" << watch.steps << " encodedTime=" << done.encodedTime
           << " sizeKB=" << done.outputSizeKB;
    return report.str();
}

std::vector<Job> ReadJobs(const char* path) {
    std::vector<Job> jobs;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        // The paths are read to their tab: they may hold blanks.
        std::istringstream fields(line);
        Job job;
        fields >> job.number >> job.tab >> job.threeGpType >> job.profileEntry;
        std::getline(fields.ignore(), job.source, '\t');
        fields >> job.begin >> job.end >> job.stopAtPass;
        std::getline(fields.ignore(), job.outputFolder, '\t');
        jobs.push_back(job);
    }
    return jobs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_driver PROGRAM_FOLDER JOB_FILE REPORT_FILE\n");
        return 2;
    }
    programFolder = argv[1];
    StopPresser::JoinJob();
    std::ofstream report(argv[3]);
    for (const Job& job : ReadJobs(argv[2])) {
        report << RunJob(job) << "\n";
        report.flush();
    }
    return 0;
}
