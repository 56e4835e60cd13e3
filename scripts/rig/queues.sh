# The capture queues of the rig (sourced by the rig's scripts).
KORV_QUEUES=(KorvCapture1 KorvCapture2 KorvShort)
KORV_DEFAULT_QUEUE=KorvCapture1
# A capture queue that failure tests reject and accept (cupsreject, cupsaccept); only they
# change its state, so set-up makes it once and leaves it alone after.
KORV_REJECT_QUEUE=KorvReject1
# Where the capture backend stores jobs: <spool>/<job user>/<queue>/.
KORV_CAPTURE_SPOOL=/var/spool/korvcapture
