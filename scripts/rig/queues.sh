# The capture queues of the rig (sourced by the rig's scripts).
KORV_QUEUES=(KorvCapture1 KorvCapture2 KorvShort)
KORV_DEFAULT_QUEUE=KorvCapture1
