# The capture queues of the rig (sourced by the rig's scripts).
KORV_QUEUES=(KorvCapture1 KorvCapture2 KorvShort)
KORV_DEFAULT_QUEUE=KorvCapture1
# Where the capture backend stores jobs: <spool>/<job user>/<queue>/.
KORV_CAPTURE_SPOOL=/var/spool/korvcapture
