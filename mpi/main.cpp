#include <mpi.h>

#include <QCoreApplication>

#include <cstdio>
#include <exception>

#include "cli/cli_support.h"
#include "cli/sweep_arguments.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "mpi/mpi_sweep.h"

namespace {

constexpr const char* kUsage =
    "usage: mpirun -np N qsim-mpi sweep MODEL.txt, with the arguments of qsim-cli sweep;"
    " --jobs is the threads of each rank (default 1); --rank-timeout SECONDS ends the series"
    " when a rank sends nothing for that long";

// Rank 0 writes the table; every rank reads the same arguments and model, so an
// error in them arises on each alike and rank 0 alone reports it.
int Sweep(const QStringList& arguments) {
  qsim::cli::SweepArguments sweep = qsim::cli::ParseSweepArguments(arguments, true);
  if (sweep.jobs == 0)
    sweep.jobs = 1;  // one process per core is the cluster's way
  const auto store = qsim::cli::ReadModelFile(sweep.model_path, sweep.format);
  const auto results = qsim::mpi::RunMpiSweep(sweep, *store);
  if (results) {
    qsim::cli::WriteSweepResults(sweep, *store, *results);
    qsim::cli::FlushStandardOutput();
  }
  return qsim::cli::kExitOk;
}

int Run(const QStringList& arguments, int rank) {
  const auto report = [rank](const std::string& text) {
    if (rank == 0)
      std::fprintf(stderr, "qsim-mpi: %s\n", text.c_str());
  };
  try {
    if (arguments.size() < 2 || arguments[1] != "sweep") {
      report(kUsage);
      return qsim::cli::kExitError;
    }
    return Sweep(arguments);
  } catch (const qsim::mpi::RankTimeout& error) {
    report(qsim::Cp1251ToUtf8(error.message()) + ".");
    std::fflush(stderr);
    MPI_Abort(MPI_COMM_WORLD, qsim::cli::kExitError);
  } catch (const qsim::QsimError& error) {
    report(qsim::Cp1251ToUtf8(error.message()) + ".");
  } catch (const qsim::cli::UsageError& error) {
    report(error.message);
  } catch (const std::exception& error) {
    report(qsim::cli::UnexpectedErrorText(error));
  }
  return qsim::cli::kExitError;
}

}  // namespace

int main(int argc, char** argv) {
  int provided = 0;
  MPI_Init_thread(&argc, &argv, MPI_THREAD_SERIALIZED, &provided);
  int rank = 0;
  MPI_Comm_rank(MPI_COMM_WORLD, &rank);
  int status = qsim::cli::kExitError;
  try {
    QCoreApplication application(argc, argv);
    status = Run(QCoreApplication::arguments(), rank);
  } catch (const std::exception& error) {
    // A rank that fails on its own would leave the others waiting for it.
    std::fprintf(stderr, "qsim-mpi: rank %d: %s\n", rank, error.what());
    MPI_Abort(MPI_COMM_WORLD, qsim::cli::kExitError);
  }
  MPI_Finalize();
  return status;
}
