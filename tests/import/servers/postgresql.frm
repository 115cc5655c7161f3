VERSION 2.00
Begin Form shop
	Caption = ""
	Name                =    "shop"
	Caption             =    ""
	BackColor           =    -2147483648
	Width               =    8315
	Height              =    13205
	FormWidth           =    7900
	FormHeight          =    12320
	Begin SSPanel tvkSSPanel
		Name                =    "tvkSSPanel"
		Caption             =    ""
		Height              =    21910
		Width               =    7900
		Top                 =    0
		Left                =    0
		BackColor           =    12632256
		Begin Timer tvkTimer
			Name                =    "tvkTimer"
			Interval            =    100
			Enabled             =    0
			Left                =    200
			Top                 =    200
		End
		Begin Data dscustomer
			Name                =    "dscustomer"
			Caption             =    "customer"
			Width               =    2022
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    500
		End
		Begin Label lblE1id
			Name                =    "lblE1id"
			Caption             =    "Id"
			Alignment           =    0
			TabIndex            =    0
			Width               =    200
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    823
		End
		Begin TextBox tbxE1id
			Name                =    "tbxE1id"
			Width               =    1600
			Height              =    273
			Enabled             =    0
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    1
			DataSource          =    "dscustomer"
			DataField           =    "id"
			Left                =    1150
			Top                 =    823
		End
		Begin Label lblE1name
			Name                =    "lblE1name"
			Caption             =    "Name"
			Alignment           =    0
			TabIndex            =    2
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    1146
		End
		Begin TextBox tbxE1name
			Name                =    "tbxE1name"
			Width               =    4000
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    3
			DataSource          =    "dscustomer"
			DataField           =    "name"
			Left                =    1150
			Top                 =    1146
		End
		Begin Label lblE1kind
			Name                =    "lblE1kind"
			Caption             =    "Kind"
			Alignment           =    0
			TabIndex            =    4
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    1469
		End
		Begin CheckBox chkE1kind
			Name                =    "chkE1kind"
			Width               =    1206
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    5
			Caption             =    "retail"
			Left                =    1150
			Top                 =    1469
		End
		Begin Label lblE1active
			Name                =    "lblE1active"
			Caption             =    "Active"
			Alignment           =    0
			TabIndex            =    6
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    1792
		End
		Begin CheckBox chkE1active
			Name                =    "chkE1active"
			Width               =    1684
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    7
			Caption             =    "Yes"
			Left                =    1150
			Top                 =    1792
		End
		Begin Label lblE1state
			Name                =    "lblE1state"
			Caption             =    "State"
			Alignment           =    0
			TabIndex            =    8
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    2115
		End
		Begin ComboBox cbxE1state
			Name                =    "cbxE1state"
			Width               =    842
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    9
			Left                =    1150
			Top                 =    2115
		End
		Begin Label lblE1referrer
			Name                =    "lblE1referrer"
			Caption             =    "Referrer"
			Alignment           =    0
			TabIndex            =    10
			Width               =    800
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    2438
		End
		Begin MSDBCtls.DBCombo dbcE1referrer
			Name                =    "dbcE1referrer"
			Width               =    2545
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    11
			Style               =    2
			DataSource          =    "dscustomer"
			DataField           =    "referrer"
			RowSource           =    "dlkE1referrer"
			ListField           =    "name"
			BoundColumn         =    "id"
			Left                =    1150
			Top                 =    2438
		End
		Begin Data dlkE1referrer
			Name                =    "dlkE1referrer"
			Caption             =    "customer"
			Visible             =    0
			ReadOnly            =    -1
			DatabaseName        =    ""
			RecordSource        =    "SELECT id, name FROM customer ORDER BY name"
			Left                =    200
			Top                 =    500
		End
		Begin CommandButton cmdcustomerNew
			Name                =    "cmdcustomerNew"
			TabIndex            =    12
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    5200
			Top                 =    600
		End
		Begin CommandButton cmdcustomerUpdate
			Name                =    "cmdcustomerUpdate"
			TabIndex            =    13
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    5200
			Top                 =    1050
		End
		Begin CommandButton cmdcustomerDelete
			Name                =    "cmdcustomerDelete"
			TabIndex            =    14
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    5200
			Top                 =    1500
		End
		Begin CommandButton cmdcustomerFind
			Name                =    "cmdcustomerFind"
			TabIndex            =    15
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    5200
			Top                 =    1950
		End
		Begin CommandButton cmdcustomerCancel
			Name                =    "cmdcustomerCancel"
			TabIndex            =    16
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    5200
			Top                 =    2400
		End
		Begin Data dsorder
			Name                =    "dsorder"
			Caption             =    "order"
			Width               =    1658
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    3100
		End
		Begin Label lblE2customer_id
			Name                =    "lblE2customer_id"
			Caption             =    "Customer Id"
			Alignment           =    0
			TabIndex            =    17
			Width               =    1100
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    3423
		End
		Begin TextBox tbxE2customer_id
			Name                =    "tbxE2customer_id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    18
			DataSource          =    "dsorder"
			DataField           =    "customer_id"
			Left                =    1450
			Top                 =    3423
		End
		Begin Label lblE2number
			Name                =    "lblE2number"
			Caption             =    "Number"
			Alignment           =    0
			TabIndex            =    19
			Width               =    800
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    3746
		End
		Begin TextBox tbxE2number
			Name                =    "tbxE2number"
			Width               =    1600
			Height              =    273
			Enabled             =    0
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    20
			DataSource          =    "dsorder"
			DataField           =    "number"
			Left                =    1450
			Top                 =    3746
		End
		Begin Label lblE2ship_to
			Name                =    "lblE2ship_to"
			Caption             =    "Ship To"
			Alignment           =    0
			TabIndex            =    21
			Width               =    800
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    4069
		End
		Begin CheckBox chkE2ship_to
			Name                =    "chkE2ship_to"
			Width               =    1684
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    22
			Caption             =    "home"
			Left                =    1450
			Top                 =    4069
		End
		Begin Label lblE2placed
			Name                =    "lblE2placed"
			Caption             =    "Placed"
			Alignment           =    0
			TabIndex            =    23
			Width               =    700
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    4392
		End
		Begin MSMask.MaskEdBox mebE2placed
			Name                =    "mebE2placed"
			Width               =    1200
			Height              =    273
			Mask                =    "####-##-##"
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    24
			DataSource          =    "dsorder"
			DataField           =    "placed"
			Left                =    1450
			Top                 =    4392
		End
		Begin CommandButton cmdorderNew
			Name                =    "cmdorderNew"
			TabIndex            =    25
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    3184
			Top                 =    3200
		End
		Begin CommandButton cmdorderUpdate
			Name                =    "cmdorderUpdate"
			TabIndex            =    26
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    3184
			Top                 =    3650
		End
		Begin CommandButton cmdorderDelete
			Name                =    "cmdorderDelete"
			TabIndex            =    27
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    3184
			Top                 =    4100
		End
		Begin CommandButton cmdorderFind
			Name                =    "cmdorderFind"
			TabIndex            =    28
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    3184
			Top                 =    4550
		End
		Begin CommandButton cmdorderCancel
			Name                =    "cmdorderCancel"
			TabIndex            =    29
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    3184
			Top                 =    5000
		End
		Begin Data dsorder_line
			Name                =    "dsorder_line"
			Caption             =    "order_line"
			Width               =    2079
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    5700
		End
		Begin Label lblE3customer_id
			Name                =    "lblE3customer_id"
			Caption             =    "Customer Id"
			Alignment           =    0
			TabIndex            =    30
			Width               =    1100
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    6023
		End
		Begin TextBox tbxE3customer_id
			Name                =    "tbxE3customer_id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    31
			DataSource          =    "dsorder_line"
			DataField           =    "customer_id"
			Left                =    1650
			Top                 =    6023
		End
		Begin Label lblE3order_number
			Name                =    "lblE3order_number"
			Caption             =    "Order Number"
			Alignment           =    0
			TabIndex            =    32
			Width               =    1300
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    6346
		End
		Begin TextBox tbxE3order_number
			Name                =    "tbxE3order_number"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    33
			DataSource          =    "dsorder_line"
			DataField           =    "order_number"
			Left                =    1650
			Top                 =    6346
		End
		Begin Label lblE3line
			Name                =    "lblE3line"
			Caption             =    "Line"
			Alignment           =    0
			TabIndex            =    34
			Width               =    400
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    6669
		End
		Begin TextBox tbxE3line
			Name                =    "tbxE3line"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    35
			DataSource          =    "dsorder_line"
			DataField           =    "line"
			Left                =    1650
			Top                 =    6669
		End
		Begin Label lblE3cost
			Name                =    "lblE3cost"
			Caption             =    "Cost"
			Alignment           =    0
			TabIndex            =    36
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    6992
		End
		Begin TextBox tbxE3cost
			Name                =    "tbxE3cost"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    37
			DataSource          =    "dsorder_line"
			DataField           =    "cost"
			Left                =    1650
			Top                 =    6992
		End
		Begin CommandButton cmdorder_lineNew
			Name                =    "cmdorder_lineNew"
			TabIndex            =    38
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    3300
			Top                 =    5800
		End
		Begin CommandButton cmdorder_lineUpdate
			Name                =    "cmdorder_lineUpdate"
			TabIndex            =    39
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    3300
			Top                 =    6250
		End
		Begin CommandButton cmdorder_lineDelete
			Name                =    "cmdorder_lineDelete"
			TabIndex            =    40
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    3300
			Top                 =    6700
		End
		Begin CommandButton cmdorder_lineFind
			Name                =    "cmdorder_lineFind"
			TabIndex            =    41
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    3300
			Top                 =    7150
		End
		Begin CommandButton cmdorder_lineCancel
			Name                =    "cmdorder_lineCancel"
			TabIndex            =    42
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    3300
			Top                 =    7600
		End
		Begin Data dsteam
			Name                =    "dsteam"
			Caption             =    "team"
			Width               =    1639
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    8300
		End
		Begin Label lblE4id
			Name                =    "lblE4id"
			Caption             =    "Id"
			Alignment           =    0
			TabIndex            =    43
			Width               =    200
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    8623
		End
		Begin TextBox tbxE4id
			Name                =    "tbxE4id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    44
			DataSource          =    "dsteam"
			DataField           =    "id"
			Left                =    1050
			Top                 =    8623
		End
		Begin Label lblE4lead_id
			Name                =    "lblE4lead_id"
			Caption             =    "Lead Id"
			Alignment           =    0
			TabIndex            =    45
			Width               =    700
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    8946
		End
		Begin MSDBCtls.DBCombo dbcE4lead_id
			Name                =    "dbcE4lead_id"
			Width               =    2545
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    46
			Style               =    2
			DataSource          =    "dsteam"
			DataField           =    "lead_id"
			RowSource           =    "dlkE4lead_id"
			ListField           =    "id"
			BoundColumn         =    "id"
			Left                =    1050
			Top                 =    8946
		End
		Begin Data dlkE4lead_id
			Name                =    "dlkE4lead_id"
			Caption             =    "member"
			Visible             =    0
			ReadOnly            =    -1
			DatabaseName        =    ""
			RecordSource        =    "SELECT id FROM member ORDER BY id"
			Left                =    200
			Top                 =    8300
		End
		Begin CommandButton cmdteamNew
			Name                =    "cmdteamNew"
			TabIndex            =    47
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    3645
			Top                 =    8400
		End
		Begin CommandButton cmdteamUpdate
			Name                =    "cmdteamUpdate"
			TabIndex            =    48
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    3645
			Top                 =    8850
		End
		Begin CommandButton cmdteamDelete
			Name                =    "cmdteamDelete"
			TabIndex            =    49
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    3645
			Top                 =    9300
		End
		Begin CommandButton cmdteamFind
			Name                =    "cmdteamFind"
			TabIndex            =    50
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    3645
			Top                 =    9750
		End
		Begin CommandButton cmdteamCancel
			Name                =    "cmdteamCancel"
			TabIndex            =    51
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    3645
			Top                 =    10200
		End
		Begin Data dsmember
			Name                =    "dsmember"
			Caption             =    "member"
			Width               =    1907
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    10900
		End
		Begin Label lblE5id
			Name                =    "lblE5id"
			Caption             =    "Id"
			Alignment           =    0
			TabIndex            =    52
			Width               =    200
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    11223
		End
		Begin TextBox tbxE5id
			Name                =    "tbxE5id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    53
			DataSource          =    "dsmember"
			DataField           =    "id"
			Left                =    1150
			Top                 =    11223
		End
		Begin Label lblE5team_id
			Name                =    "lblE5team_id"
			Caption             =    "Team Id"
			Alignment           =    0
			TabIndex            =    54
			Width               =    800
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    11546
		End
		Begin TextBox tbxE5team_id
			Name                =    "tbxE5team_id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    55
			DataSource          =    "dsmember"
			DataField           =    "team_id"
			Left                =    1150
			Top                 =    11546
		End
		Begin CommandButton cmdmemberNew
			Name                =    "cmdmemberNew"
			TabIndex            =    56
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    2800
			Top                 =    11000
		End
		Begin CommandButton cmdmemberUpdate
			Name                =    "cmdmemberUpdate"
			TabIndex            =    57
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    2800
			Top                 =    11450
		End
		Begin CommandButton cmdmemberDelete
			Name                =    "cmdmemberDelete"
			TabIndex            =    58
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    2800
			Top                 =    11900
		End
		Begin CommandButton cmdmemberFind
			Name                =    "cmdmemberFind"
			TabIndex            =    59
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    2800
			Top                 =    12350
		End
		Begin CommandButton cmdmemberCancel
			Name                =    "cmdmemberCancel"
			TabIndex            =    60
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    2800
			Top                 =    12800
		End
		Begin Data dsselect
			Name                =    "dsselect"
			Caption             =    "select"
			Width               =    1735
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    13500
		End
		Begin Label lblE6from
			Name                =    "lblE6from"
			Caption             =    "From"
			Alignment           =    0
			TabIndex            =    61
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    13823
		End
		Begin TextBox tbxE6from
			Name                =    "tbxE6from"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    62
			DataSource          =    "dsselect"
			DataField           =    "from"
			Left                =    1050
			Top                 =    13823
		End
		Begin Label lblE6fit
			Name                =    "lblE6fit"
			Caption             =    "Fit"
			Alignment           =    0
			TabIndex            =    63
			Width               =    300
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    14146
		End
		Begin ComboBox cbxE6fit
			Name                =    "cbxE6fit"
			Width               =    383
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    64
			Left                =    1050
			Top                 =    14146
		End
		Begin Label lblE6picture
			Name                =    "lblE6picture"
			Caption             =    "Picture"
			Alignment           =    0
			TabIndex            =    65
			Width               =    700
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    14469
		End
		Begin PictureBox picE6picture
			Name                =    "picE6picture"
			Width               =    1400
			Height              =    900
			Align               =    0
			AutoRedraw          =    0
			AutoSize            =    0
			ClipControls        =    0
			DrawMode            =    13
			DrawStyle           =    0
			DrawWidth           =    1
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    66
			DataSource          =    "dsselect"
			DataField           =    "picture"
			Left                =    1050
			Top                 =    14469
		End
		Begin Label lblE6made
			Name                =    "lblE6made"
			Caption             =    "Made"
			Alignment           =    0
			TabIndex            =    67
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    15419
		End
		Begin MSMask.MaskEdBox mebE6made
			Name                =    "mebE6made"
			Width               =    2400
			Height              =    273
			Mask                =    "####-##-## ##:##:##"
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    68
			DataSource          =    "dsselect"
			DataField           =    "made"
			Left                =    1050
			Top                 =    15419
		End
		Begin Label lblE6code
			Name                =    "lblE6code"
			Caption             =    "Code"
			Alignment           =    0
			TabIndex            =    69
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    15742
		End
		Begin TextBox tbxE6code
			Name                =    "tbxE6code"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    70
			DataSource          =    "dsselect"
			DataField           =    "code"
			Left                =    1050
			Top                 =    15742
		End
		Begin Label lblE6flag
			Name                =    "lblE6flag"
			Caption             =    "Flag"
			Alignment           =    0
			TabIndex            =    71
			Width               =    400
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    16065
		End
		Begin CheckBox chkE6flag
			Name                =    "chkE6flag"
			Width               =    1684
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    72
			Caption             =    "Flag"
			Left                =    1050
			Top                 =    16065
		End
		Begin CommandButton cmdselectNew
			Name                =    "cmdselectNew"
			TabIndex            =    73
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    3500
			Top                 =    13600
		End
		Begin CommandButton cmdselectUpdate
			Name                =    "cmdselectUpdate"
			TabIndex            =    74
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    3500
			Top                 =    14050
		End
		Begin CommandButton cmdselectDelete
			Name                =    "cmdselectDelete"
			TabIndex            =    75
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    3500
			Top                 =    14500
		End
		Begin CommandButton cmdselectFind
			Name                =    "cmdselectFind"
			TabIndex            =    76
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    3500
			Top                 =    14950
		End
		Begin CommandButton cmdselectCancel
			Name                =    "cmdselectCancel"
			TabIndex            =    77
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    3500
			Top                 =    15400
		End
		Begin Data dsreview
			Name                =    "dsreview"
			Caption             =    "review"
			Width               =    1792
			Height              =    273
			DatabaseName        =    ""
			Left                =    300
			Top                 =    16638
		End
		Begin Label lblE7id
			Name                =    "lblE7id"
			Caption             =    "Id"
			Alignment           =    0
			TabIndex            =    78
			Width               =    200
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    16961
		End
		Begin TextBox tbxE7id
			Name                =    "tbxE7id"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    79
			DataSource          =    "dsreview"
			DataField           =    "id"
			Left                =    1750
			Top                 =    16961
		End
		Begin Label lblE7code
			Name                =    "lblE7code"
			Caption             =    "Code"
			Alignment           =    0
			TabIndex            =    80
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    17284
		End
		Begin TextBox tbxE7code
			Name                =    "tbxE7code"
			Width               =    1200
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    81
			DataSource          =    "dsreview"
			DataField           =    "code"
			Left                =    1750
			Top                 =    17284
		End
		Begin Label lblE7grade
			Name                =    "lblE7grade"
			Caption             =    "Grade"
			Alignment           =    0
			TabIndex            =    82
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    17607
		End
		Begin ComboBox cbxE7grade
			Name                =    "cbxE7grade"
			Width               =    651
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    83
			Left                =    1750
			Top                 =    17607
		End
		Begin Label lblE7second_grade
			Name                =    "lblE7second_grade"
			Caption             =    "Second Grade"
			Alignment           =    0
			TabIndex            =    84
			Width               =    1400
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    17930
		End
		Begin ComboBox cbxE7second_grade
			Name                =    "cbxE7second_grade"
			Width               =    651
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    85
			Left                =    1750
			Top                 =    17930
		End
		Begin Label lblE7mood
			Name                =    "lblE7mood"
			Caption             =    "Mood"
			Alignment           =    0
			TabIndex            =    86
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    18253
		End
		Begin ComboBox cbxE7mood
			Name                =    "cbxE7mood"
			Width               =    842
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    87
			Left                =    1750
			Top                 =    18253
		End
		Begin Label lblE7team_mood
			Name                =    "lblE7team_mood"
			Caption             =    "Team Mood"
			Alignment           =    0
			TabIndex            =    88
			Width               =    1100
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    18576
		End
		Begin ComboBox cbxE7team_mood
			Name                =    "cbxE7team_mood"
			Width               =    842
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    89
			Left                =    1750
			Top                 =    18576
		End
		Begin Label lblE7seen
			Name                =    "lblE7seen"
			Caption             =    "Seen"
			Alignment           =    0
			TabIndex            =    90
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    18899
		End
		Begin MSMask.MaskEdBox mebE7seen
			Name                =    "mebE7seen"
			Width               =    2400
			Height              =    273
			Mask                =    "####-##-## ##:##:##"
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    91
			DataSource          =    "dsreview"
			DataField           =    "seen"
			Left                =    1750
			Top                 =    18899
		End
		Begin Label lblE7token
			Name                =    "lblE7token"
			Caption             =    "Token"
			Alignment           =    0
			TabIndex            =    92
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    19222
		End
		Begin TextBox tbxE7token
			Name                =    "tbxE7token"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    93
			DataSource          =    "dsreview"
			DataField           =    "token"
			Left                =    1750
			Top                 =    19222
		End
		Begin Label lblE7alias
			Name                =    "lblE7alias"
			Caption             =    "Alias"
			Alignment           =    0
			TabIndex            =    94
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    19545
		End
		Begin TextBox tbxE7alias
			Name                =    "tbxE7alias"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    95
			DataSource          =    "dsreview"
			DataField           =    "alias"
			Left                =    1750
			Top                 =    19545
		End
		Begin Label lblE7note
			Name                =    "lblE7note"
			Caption             =    "Note"
			Alignment           =    0
			TabIndex            =    96
			Width               =    500
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    19868
		End
		Begin TextBox tbxE7note
			Name                =    "tbxE7note"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    97
			DataSource          =    "dsreview"
			DataField           =    "note"
			Left                =    1750
			Top                 =    19868
		End
		Begin Label lblE7pair_a
			Name                =    "lblE7pair_a"
			Caption             =    "Pair A"
			Alignment           =    0
			TabIndex            =    98
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    20191
		End
		Begin TextBox tbxE7pair_a
			Name                =    "tbxE7pair_a"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    99
			DataSource          =    "dsreview"
			DataField           =    "pair_a"
			Left                =    1750
			Top                 =    20191
		End
		Begin Label lblE7pair_b
			Name                =    "lblE7pair_b"
			Caption             =    "Pair B"
			Alignment           =    0
			TabIndex            =    100
			Width               =    600
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    20514
		End
		Begin TextBox tbxE7pair_b
			Name                =    "tbxE7pair_b"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    101
			DataSource          =    "dsreview"
			DataField           =    "pair_b"
			Left                =    1750
			Top                 =    20514
		End
		Begin Label lblE7ref
			Name                =    "lblE7ref"
			Caption             =    "Ref"
			Alignment           =    0
			TabIndex            =    102
			Width               =    400
			Height              =    273
			BackColor           =    12632256
			ForeColor           =    0
			BackStyle           =    0
			Left                =    300
			Top                 =    20837
		End
		Begin TextBox tbxE7ref
			Name                =    "tbxE7ref"
			Width               =    1600
			Height              =    273
			Alignment           =    0
			BackColor           =    12632256
			ForeColor           =    0
			TabIndex            =    103
			DataSource          =    "dsreview"
			DataField           =    "ref"
			Left                =    1750
			Top                 =    20837
		End
		Begin CommandButton cmdreviewNew
			Name                =    "cmdreviewNew"
			TabIndex            =    104
			Height              =    400
			Width               =    1100
			Caption             =    "New"
			Left                =    4200
			Top                 =    16738
		End
		Begin CommandButton cmdreviewUpdate
			Name                =    "cmdreviewUpdate"
			TabIndex            =    105
			Height              =    400
			Width               =    1100
			Caption             =    "Update"
			Left                =    4200
			Top                 =    17188
		End
		Begin CommandButton cmdreviewDelete
			Name                =    "cmdreviewDelete"
			TabIndex            =    106
			Height              =    400
			Width               =    1100
			Caption             =    "Delete"
			Left                =    4200
			Top                 =    17638
		End
		Begin CommandButton cmdreviewFind
			Name                =    "cmdreviewFind"
			TabIndex            =    107
			Height              =    400
			Width               =    1100
			Caption             =    "Find"
			Left                =    4200
			Top                 =    18088
		End
		Begin CommandButton cmdreviewCancel
			Name                =    "cmdreviewCancel"
			TabIndex            =    108
			Height              =    400
			Width               =    1100
			Caption             =    "Cancel"
			Left                =    4200
			Top                 =    18538
		End
		Begin CommandButton cmdshopClose
			Name                =    "cmdshopClose"
			TabIndex            =    109
			Height              =    400
			Width               =    1100
			Left                =    6400
			Top                 =    200
			Caption             =    "Close"
		End
	End
	Begin HScrollBar tvkHScrollBar
		Name                =    "tvkHScrollBar"
		Left                =    0
		Top                 =    21910
		Width               =    8155
		Height              =    255
	End
	Begin VScrollBar tvkVScrollBar
		Name                =    "tvkVScrollBar"
		Left                =    7900
		Top                 =    0
		Width               =    255
		Height              =    21910
	End
End
' Tavik-Generated Global Declarations
Option Explicit
Dim bAbort As Integer
Dim bPopulated As Integer
Dim bFormLoaded As Integer
Dim nNoRepos As Integer
Dim tvkDBConn As Database
Dim FnErr As Integer
Dim nReposInProgress As Integer
Dim nButton As Integer
Dim bNoClick As Integer
Dim select_fit_List(3) As ListItem
Dim order_ship_to_List(2) As ListItem
Dim review_grade_List(3) As ListItem
Dim review_mood_List(3) As ListItem
Dim review_second_grade_List(3) As ListItem
Dim review_team_mood_List(3) As ListItem
Dim customer_kind_List(2) As ListItem
Dim customer_active_List(2) As ListItem
Dim customer_state_List(3) As ListItem
Dim select_flag_List(2) As ListItem
Dim bcustomerBind As Integer
Dim scustomer_Select As String
Dim borderBind As Integer
Dim sorder_Select As String
Dim border_lineBind As Integer
Dim sorder_line_Select As String
Dim bteamBind As Integer
Dim steam_Select As String
Dim bmemberBind As Integer
Dim smember_Select As String
Dim bselectBind As Integer
Dim sselect_Select As String
Dim breviewBind As Integer
Dim sreview_Select As String
Dim bcustomerUpdateFailed As Integer
Dim axcustomer_Ctrl(3) As Control
Dim abcustomer_Changed(3) As Integer
Dim borderUpdateFailed As Integer
Dim axorder_Ctrl(3) As Control
Dim aborder_Changed(3) As Integer
Dim border_lineUpdateFailed As Integer
Dim axorder_line_Ctrl(3) As Control
Dim aborder_line_Changed(3) As Integer
Dim bteamUpdateFailed As Integer
Dim axteam_Ctrl(0) As Control
Dim abteam_Changed(0) As Integer
Dim bmemberUpdateFailed As Integer
Dim axmember_Ctrl(1) As Control
Dim abmember_Changed(1) As Integer
Dim bselectUpdateFailed As Integer
Dim axselect_Ctrl(3) As Control
Dim abselect_Changed(3) As Integer
Dim breviewUpdateFailed As Integer
Dim axreview_Ctrl(8) As Control
Dim abreview_Changed(8) As Integer

' Tavik-Generated Form Level Procedure
Sub member_DoRefresh(ParentDataCtrl As Data)
'Tavik Generated Code Section
		If dsmember.EditMode <> dbEditNone Then
			tk_DS_Update Me, dsmember, nNoRepos, bmemberUpdateFailed
		End If
		If ParentDataCtrl.EditMode <> DATA_EDITADD And tk_CurrRowExists(ParentDataCtrl) Then 
			'repopulate child data source
			dsmember.RecordSource = smember_Select & " team_id = " & tk_SQLValue(dsteam, "id") & " ORDER BY id"
		Else
			'clear child data source
			nNoRepos = nNoRepos + 1
			dsmember.Recordset.AddNew
			nNoRepos = nNoRepos - 1
			dsmember.RecordSource = smember_Select & " 1=2 "
		End If
	dsmember.Refresh
	tk_CountRecords dsmember, "member", nNoRepos

End Sub

' Tavik-Generated Form Level Procedure
Sub select_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsselect) Then
		dsselect.UpdateControls
		bNoClick = True
		tvkGetNewListField cbxE6fit, dsselect, "fit", select_fit_List(), bNoClick
		If IsNull(dsselect.Recordset.Fields("made")) Then
			zTmpField = ""
		Else
			zTmpField = dsselect.Recordset.Fields("made")
		End If
		sValue = Trim(zTmpField)
		sMask = mebE6made.Mask
		mebE6made.Mask = ""
		mebE6made.Text = sValue
		mebE6made.Mask = sMask
		chkE6flag.Value = tk_CB_FieldXlateValue(chkE6flag, dsselect.Recordset.Fields("flag"), "y", "n")
		bNoClick = False
	End If
	select_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub member_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsmember) Then
		dsmember.UpdateControls
		bNoClick = True
		bNoClick = False
	End If
	member_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub shop_Repopulate()
'Tavik Generated Code Section
	Screen.MousePointer = HOURGLASS
	nNoRepos = nNoRepos + 1
	bFormLoaded = True
	'Refresh minimal nodes
	dscustomer.RecordSource = scustomer_Select
	dscustomer.Refresh
	tk_CountRecords dscustomer, "customer", nNoRepos
	customer_SetToScreen
	dsteam.RecordSource = steam_Select
	dsteam.Refresh
	tk_CountRecords dsteam, "team", nNoRepos
	team_SetToScreen
	dsselect.RecordSource = sselect_Select
	dsselect.Refresh
	tk_CountRecords dsselect, "select", nNoRepos
	select_SetToScreen
	dsreview.RecordSource = sreview_Select
	dsreview.Refresh
	tk_CountRecords dsreview, "review", nNoRepos
	review_SetToScreen
	order_DoRefresh dscustomer
	order_SetToScreen
	member_DoRefresh dsteam
	member_SetToScreen
	order_line_DoRefresh dsorder
	order_line_SetToScreen
	nNoRepos = nNoRepos - 1
	Screen.MousePointer = ARROW

End Sub

' Tavik-Generated Form Level Procedure
Sub review_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsreview) Then
		dsreview.UpdateControls
		bNoClick = True
		tvkGetNewListField cbxE7grade, dsreview, "grade", review_grade_List(), bNoClick
		tvkGetNewListField cbxE7second_grade, dsreview, "second_grade", review_second_grade_List(), bNoClick
		tvkGetNewListField cbxE7mood, dsreview, "mood", review_mood_List(), bNoClick
		tvkGetNewListField cbxE7team_mood, dsreview, "team_mood", review_team_mood_List(), bNoClick
		If IsNull(dsreview.Recordset.Fields("seen")) Then
			zTmpField = ""
		Else
			zTmpField = dsreview.Recordset.Fields("seen")
		End If
		sValue = Trim(zTmpField)
		sMask = mebE7seen.Mask
		mebE7seen.Mask = ""
		mebE7seen.Text = sValue
		mebE7seen.Mask = sMask
		bNoClick = False
	End If
	review_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub select_SetDefaults()
'Tavik Generated Code Section
	mebE6made.Text = Format$(Now, "yyyy-mm-dd hh:nn:ss")

End Sub

' Tavik-Generated Form Level Procedure
Sub order_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsorder) Then
		dsorder.UpdateControls
		bNoClick = True
		chkE2ship_to.Value = tk_CB_FieldXlateValue(chkE2ship_to, dsorder.Recordset.Fields("ship to"), "home", "shop")
		If IsNull(dsorder.Recordset.Fields("placed")) Then
			zTmpField = ""
		Else
			zTmpField = dsorder.Recordset.Fields("placed")
		End If
		sValue = Trim(zTmpField)
		sMask = mebE2placed.Mask
		mebE2placed.Mask = ""
		mebE2placed.Text = sValue
		mebE2placed.Mask = sMask
		bNoClick = False
	End If
	order_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub order_line_Reset()
'Tavik Generated Code Section
	border_lineBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axorder_line_Ctrl(), aborder_line_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub order_line_MigrateKeys(ParentDataCtrl As Data)
'Tavik Generated Code Section
	If tk_CurrRowExists(dsorder) Then
		dsorder_line.Recordset.Fields("customer_id") = dsorder.Recordset.Fields("customer_id")
		dsorder_line.Recordset.Fields("order_number") = dsorder.Recordset.Fields("number")
		border_lineBind = True
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub order_DoRefresh(ParentDataCtrl As Data)
'Tavik Generated Code Section
		If dsorder.EditMode <> dbEditNone Then
			tk_DS_Update Me, dsorder, nNoRepos, borderUpdateFailed
		End If
		If ParentDataCtrl.EditMode <> DATA_EDITADD And tk_CurrRowExists(ParentDataCtrl) Then 
			'repopulate child data source
			dsorder.RecordSource = sorder_Select & " customer_id = " & tk_SQLValue(dscustomer, "id") & " ORDER BY customer_id"
		Else
			'clear child data source
			nNoRepos = nNoRepos + 1
			dsorder.Recordset.AddNew
			nNoRepos = nNoRepos - 1
			dsorder.RecordSource = sorder_Select & " 1=2 "
		End If
	dsorder.Refresh
	tk_CountRecords dsorder, "order", nNoRepos

End Sub

' Tavik-Generated Form Level Procedure
Sub review_SetDefaults()
'Tavik Generated Code Section
	bNoClick = True
	tvkShowListValue cbxE7grade, "fair", review_grade_List()
	bNoClick = False
	bNoClick = True
	tvkShowListValue cbxE7second_grade, "good", review_second_grade_List()
	bNoClick = False
	bNoClick = True
	tvkShowListValue cbxE7team_mood, "busy", review_team_mood_List()
	bNoClick = False
	mebE7seen.Text = Format$(Now, "yyyy-mm-dd hh:nn:ss")

End Sub

' Tavik-Generated Form Level Procedure
Sub order_SetDefaults()
'Tavik Generated Code Section
	mebE2placed.Text = Format$(Now, "yyyy-mm-dd")

End Sub

' Tavik-Generated Form Level Procedure
Sub member_MigrateKeys(ParentDataCtrl As Data)
'Tavik Generated Code Section
	If tk_CurrRowExists(dsteam) Then
		dsmember.Recordset.Fields("team_id") = dsteam.Recordset.Fields("id")
		bmemberBind = True
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub team_Reset()
'Tavik Generated Code Section
	bteamBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axteam_Ctrl(), abteam_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub customer_Reset()
'Tavik Generated Code Section
	bcustomerBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axcustomer_Ctrl(), abcustomer_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub customer_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dscustomer) Then
		dscustomer.UpdateControls
		bNoClick = True
		chkE1kind.Value = tk_CB_FieldXlateValue(chkE1kind, dscustomer.Recordset.Fields("kind"), "retail", "trade")
		chkE1active.Value = tk_CB_FieldXlateValue(chkE1active, dscustomer.Recordset.Fields("active"), "1", "0")
		tvkGetNewListField cbxE1state, dscustomer, "state", customer_state_List(), bNoClick
		bNoClick = False
	End If
	customer_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub review_Reset()
'Tavik Generated Code Section
	breviewBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axreview_Ctrl(), abreview_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub order_line_DoRefresh(ParentDataCtrl As Data)
'Tavik Generated Code Section
		If dsorder_line.EditMode <> dbEditNone Then
			tk_DS_Update Me, dsorder_line, nNoRepos, border_lineUpdateFailed
		End If
		If ParentDataCtrl.EditMode <> DATA_EDITADD And tk_CurrRowExists(ParentDataCtrl) Then 
			'repopulate child data source
			dsorder_line.RecordSource = sorder_line_Select & " customer_id = " & tk_SQLValue(dsorder, "customer_id")& " AND order_number = " & tk_SQLValue(dsorder, "number") & " ORDER BY customer_id"
		Else
			'clear child data source
			nNoRepos = nNoRepos + 1
			dsorder_line.Recordset.AddNew
			nNoRepos = nNoRepos - 1
			dsorder_line.RecordSource = sorder_line_Select & " 1=2 "
		End If
	dsorder_line.Refresh
	tk_CountRecords dsorder_line, "order_line", nNoRepos

End Sub

' Tavik-Generated Form Level Procedure
Sub order_MigrateKeys(ParentDataCtrl As Data)
'Tavik Generated Code Section
	If tk_CurrRowExists(dscustomer) Then
		dsorder.Recordset.Fields("customer_id") = dscustomer.Recordset.Fields("id")
		borderBind = True
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub member_Reset()
'Tavik Generated Code Section
	bmemberBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axmember_Ctrl(), abmember_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub team_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsteam) Then
		dsteam.UpdateControls
		bNoClick = True
		bNoClick = False
	End If
	team_Reset

End Sub

' Tavik-Generated Form Level Procedure
Sub order_Reset()
'Tavik Generated Code Section
	borderBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axorder_Ctrl(), aborder_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub customer_SetDefaults()
'Tavik Generated Code Section
	bNoClick = True
	chkE1kind.Value = 1
	bNoClick = False
	bNoClick = True
	chkE1active.Value = 1
	bNoClick = False

End Sub

' Tavik-Generated Form Level Procedure
Sub select_Reset()
'Tavik Generated Code Section
	bselectBind = False
	If bFormLoaded Then
		tk_ClearChangedFlags axselect_Ctrl(), abselect_Changed()
	End If

End Sub

' Tavik-Generated Form Level Procedure
Sub order_line_SetToScreen()
'Tavik Generated Declarations
	Dim zTmpField As String
	Dim sMask As String
	Dim sValue As String
	Dim nResult As String

'Tavik Generated Code Section
	If tk_DS_FieldsAvailable(dsorder_line) Then
		dsorder_line.UpdateControls
		bNoClick = True
		bNoClick = False
	End If
	order_line_Reset

End Sub

Sub Form_Load()
' Tavik Generated Code Section 
	Screen.MousePointer = HOURGLASS
	bFormLoaded = FALSE
	On Error GoTo load_handler
	Set tvkDBConn = OpenDatabase("",FALSE,FALSE,"ODBC;DSN=shop;")
	If bAbort Then
		On Error GoTo 0
		Unload Me
		Exit Sub
	End If
	select_fit_List(0).DisplayVal = "S"
	select_fit_List(0).DataVal = "S"
	select_fit_List(1).DisplayVal = "M"
	select_fit_List(1).DataVal = "M"
	select_fit_List(2).DisplayVal = "L"
	select_fit_List(2).DataVal = "L"
	order_ship_to_List(0).DisplayVal = "home"
	order_ship_to_List(0).DataVal = "home"
	order_ship_to_List(1).DisplayVal = "shop"
	order_ship_to_List(1).DataVal = "shop"
	review_grade_List(0).DisplayVal = "poor"
	review_grade_List(0).DataVal = "poor"
	review_grade_List(1).DisplayVal = "fair"
	review_grade_List(1).DataVal = "fair"
	review_grade_List(2).DisplayVal = "good"
	review_grade_List(2).DataVal = "good"
	review_mood_List(0).DisplayVal = "calm"
	review_mood_List(0).DataVal = "calm"
	review_mood_List(1).DisplayVal = "busy"
	review_mood_List(1).DataVal = "busy"
	review_mood_List(2).DisplayVal = "closed"
	review_mood_List(2).DataVal = "closed"
	review_second_grade_List(0).DisplayVal = "poor"
	review_second_grade_List(0).DataVal = "poor"
	review_second_grade_List(1).DisplayVal = "fair"
	review_second_grade_List(1).DataVal = "fair"
	review_second_grade_List(2).DisplayVal = "good"
	review_second_grade_List(2).DataVal = "good"
	review_team_mood_List(0).DisplayVal = "calm"
	review_team_mood_List(0).DataVal = "calm"
	review_team_mood_List(1).DisplayVal = "busy"
	review_team_mood_List(1).DataVal = "busy"
	review_team_mood_List(2).DisplayVal = "closed"
	review_team_mood_List(2).DataVal = "closed"
	customer_kind_List(0).DisplayVal = "retail"
	customer_kind_List(0).DataVal = "retail"
	customer_kind_List(1).DisplayVal = "trade"
	customer_kind_List(1).DataVal = "trade"
	customer_active_List(0).DisplayVal = "Yes"
	customer_active_List(0).DataVal = "1"
	customer_active_List(1).DisplayVal = "No"
	customer_active_List(1).DataVal = "0"
	customer_state_List(0).DisplayVal = "calm"
	customer_state_List(0).DataVal = "calm"
	customer_state_List(1).DisplayVal = "busy"
	customer_state_List(1).DataVal = "busy"
	customer_state_List(2).DisplayVal = "closed"
	customer_state_List(2).DataVal = "closed"
	select_flag_List(0).DisplayVal = "Flag"
	select_flag_List(0).DataVal = "y"
	select_flag_List(1).DisplayVal = "n"
	select_flag_List(1).DataVal = "n"
	tk_LoadList cbxE1state, customer_state_List()
	dlkE1referrer.Connect = tvkDBConn.Connect
	dscustomer.Connect = tvkDBConn.Connect
	dsorder.Connect = tvkDBConn.Connect
	dsorder_line.Connect = tvkDBConn.Connect
	dlkE4lead_id.Connect = tvkDBConn.Connect
	dsteam.Connect = tvkDBConn.Connect
	dsmember.Connect = tvkDBConn.Connect
	tk_LoadList cbxE6fit, select_fit_List()
	dsselect.Connect = tvkDBConn.Connect
	tk_LoadList cbxE7grade, review_grade_List()
	tk_LoadList cbxE7second_grade, review_second_grade_List()
	tk_LoadList cbxE7mood, review_mood_List()
	tk_LoadList cbxE7team_mood, review_team_mood_List()
	dsreview.Connect = tvkDBConn.Connect
	scustomer_Select = "SELECT id,name,kind,active,state,referrer FROM customer ORDER BY name"
	sorder_Select = "SELECT customer_id,[number],[ship to],placed FROM [order] WHERE "
	dsorder.RecordSource = sorder_Select & " 1=2 "
	sorder_line_Select = "SELECT customer_id,order_number,line,cost FROM order_line WHERE "
	dsorder_line.RecordSource = sorder_line_Select & " 1=2 "
	steam_Select = "SELECT id,lead_id FROM team ORDER BY id"
	smember_Select = "SELECT id,team_id FROM member WHERE "
	dsmember.RecordSource = smember_Select & " 1=2 "
	sselect_Select = "SELECT [from],fit,picture,made,code,flag FROM [select] ORDER BY [from]"
	sreview_Select = "SELECT id,code,grade,second_grade,mood,team_mood,seen,token,alias,[note],pair_a,pair_b,ref FROM review ORDER BY code"
	Screen.MousePointer = ARROW
	tvkTimer.Enabled = True
	Exit Sub

load_handler:
	Select Case Err
	Case 3059 'canceled by user
		bAbort = True
		Resume Next

	Case Else
		Select Case tk_ErrorPrompt(Err, "", 0, "")
			Case vbYes:
				Resume
			Case vbNo:
				bAbort = True
				Resume Next
		End Select
	End Select

End Sub

Sub Form_Resize()
' Tavik Generated Code Section 
	' Position the scroll bars:
	tvkHScrollBar.Left = 0
	tvkVScrollBar.Top = 0
	If tvkSSPanel.Width > ScaleWidth Then
		tvkHScrollBar.Top = ScaleHeight - tvkHScrollBar.Height
	Else
		tvkHScrollBar.Top = ScaleHeight
	End If
	If tvkSSPanel.Height > tvkHScrollBar.Top Then
		tvkVScrollBar.Left = ScaleWidth - tvkVScrollBar.Width
		If tvkSSpanel.Width > tvkVScrollBar.Left Then
			tvkHScrollBar.Top = ScaleHeight - tvkHScrollBar.Height
		End If
	Else
		tvkVScrollBar.Left = ScaleWidth
	End If
	tvkHScrollBar.Width = ScaleWidth
	tvkVScrollBar.Height = tvkHScrollBar.Top
	' Set the scroll bar ranges
	tvkHScrollBar.Max = tvkSSPanel.Width - tvkVScrollBar.Left
	tvkVScrollBar.Max = tvkSSPanel.Height - tvkHScrollBar.Top
	tvkHScrollBar.SmallChange = Abs(tvkHScrollBar.Max / 16) + 1
	tvkHScrollBar.LargeChange = Abs(tvkHScrollBar.Max / 4) + 1
	tvkVScrollBar.SmallChange = Abs(tvkVScrollBar.Max / 16) + 1
	tvkVScrollBar.LargeChange = Abs(tvkVScrollBar.Max / 4) + 1
	tvkHScrollBar.ZOrder 0
	tvkVScrollBar.ZOrder 0

End Sub

Sub Form_Activate()
' Tavik Generated Code Section 
	If bFormLoaded Then tk_LookupRefill dlkE1referrer, dbcE1referrer
	If bFormLoaded Then tk_LookupRefill dlkE4lead_id, dbcE4lead_id

End Sub

Sub tvkTimer_Timer()
' Tavik Generated Code Section
	If tk_ObjectSet(dscustomer) = False Then Exit Sub
	If tk_ObjectSet(dsorder) = False Then Exit Sub
	If tk_ObjectSet(dsorder_line) = False Then Exit Sub
	If tk_ObjectSet(dsteam) = False Then Exit Sub
	If tk_ObjectSet(dsmember) = False Then Exit Sub
	If tk_ObjectSet(dsselect) = False Then Exit Sub
	If tk_ObjectSet(dsreview) = False Then Exit Sub
	tvkTimer.Enabled = False
	Set axcustomer_Ctrl(0) = tbxE1id
	Set axcustomer_Ctrl(1) = tbxE1name
	Set axcustomer_Ctrl(2) = chkE1kind
	Set axcustomer_Ctrl(3) = chkE1active
	Set axorder_Ctrl(0) = tbxE2customer_id
	Set axorder_Ctrl(1) = tbxE2number
	Set axorder_Ctrl(2) = chkE2ship_to
	Set axorder_Ctrl(3) = mebE2placed
	Set axorder_line_Ctrl(0) = tbxE3customer_id
	Set axorder_line_Ctrl(1) = tbxE3order_number
	Set axorder_line_Ctrl(2) = tbxE3line
	Set axorder_line_Ctrl(3) = tbxE3cost
	Set axteam_Ctrl(0) = tbxE4id
	Set axmember_Ctrl(0) = tbxE5id
	Set axmember_Ctrl(1) = tbxE5team_id
	Set axselect_Ctrl(0) = tbxE6from
	Set axselect_Ctrl(1) = mebE6made
	Set axselect_Ctrl(2) = tbxE6code
	Set axselect_Ctrl(3) = chkE6flag
	Set axreview_Ctrl(0) = tbxE7id
	Set axreview_Ctrl(1) = tbxE7code
	Set axreview_Ctrl(2) = mebE7seen
	Set axreview_Ctrl(3) = tbxE7token
	Set axreview_Ctrl(4) = tbxE7alias
	Set axreview_Ctrl(5) = tbxE7note
	Set axreview_Ctrl(6) = tbxE7pair_a
	Set axreview_Ctrl(7) = tbxE7pair_b
	Set axreview_Ctrl(8) = tbxE7ref
	shop_Repopulate

End Sub

Sub dscustomer_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(6) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dscustomer_ValidationErrorHandler


' Tavik Generated Code Section
	If bcustomerBind Then
		Save = True
	End If


	'Update all child data sources
	If tk_ActionNeedsUpdate(Action) Then
		tk_DS_Update Me, dsorder, nNoRepos, borderUpdateFailed
		If borderUpdateFailed Then GoTo customer_BadData
	End If

	nDFTransCount = 0
	If tk_PreValidate(dscustomer, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dscustomer
		tk_SaveChangedFlags axcustomer_Ctrl(), abcustomer_Changed()
		If tbxE1name.Text = "" Then
			Beep
			MsgBox("name is a required field; record not saved!")
			GoTo customer_BadData
		End If
			dscustomer.Recordset.Fields("kind") = tk_CB_ControlXlateValue(chkE1kind, dscustomer.Recordset.Fields("kind"), "retail", "trade")
			If chkE1kind.Value = CHECKBOX_GRAYED Then dscustomer.Recordset.Fields("kind") = "retail"
			dscustomer.Recordset.Fields("active") = tk_CB_ControlXlateValue(chkE1active, dscustomer.Recordset.Fields("active"), "1", "0")
			If chkE1active.Value = CHECKBOX_GRAYED Then dscustomer.Recordset.Fields("active") = "1"
		FnErr = tvkSetNewListField(cbxE1state, dscustomer, "state", customer_state_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field state; record not saved!")
			GoTo customer_BadData
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dscustomer, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axcustomer_Ctrl)
		For nIndex = LBound(axcustomer_Ctrl) To nMax
			 If TypeOf axcustomer_Ctrl(nIndex) Is TextBox Or TypeOf axcustomer_Ctrl(nIndex) Is MaskEdBox Then
				axcustomer_Ctrl(nIndex).Text = Trim(axcustomer_Ctrl(nIndex).Text)
				axcustomer_Ctrl(nIndex).DataChanged = True
			End If
		Next
	End If

	If Save = True Then
		bcustomerUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dscustomer.UpdateRecord
		nNoRepos = nNoRepos - 1
		If bcustomerUpdateFailed Then GoTo customer_BadData
		Save = False
	End If
	bcustomerBind = False
	Exit Sub

customer_BadData:
	Save = False
	bcustomerUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			bcustomerUpdateFailed = False
			bcustomerBind = False
			tk_ClearChangedFlags axcustomer_Ctrl(), abcustomer_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dscustomer_ValidationErrorHandler:
		tk_RestoreChangedFlags axcustomer_Ctrl(), abcustomer_Changed()
	bcustomerUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dscustomer_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dscustomer, "customer"
	If dscustomer.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dscustomer.Recordset.RecordCount = 0 Then
			dscustomer.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	On Error Goto dscustomer_RepositionErrorHandler

	If bFormLoaded Then
		Screen.MousePointer = HOURGLASS
		Set ds = dsorder
		order_DoRefresh dscustomer
		Screen.MousePointer = ARROW
	End If

	customer_SetToScreen
	Exit Sub

dscustomer_RepositionErrorHandler:
	If Err = 3021 Then
		ds.Recordset.AddNew
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE1id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dscustomer

End Sub

Sub tbxE1name_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dscustomer

End Sub

Sub chkE1kind_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bcustomerBind = True
		tk_SetEditMode dscustomer
	End If

End Sub

Sub chkE1active_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bcustomerBind = True
		tk_SetEditMode dscustomer
	End If

End Sub

Sub cbxE1state_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bcustomerBind = True
		tk_SetEditMode dscustomer
	End If

End Sub

Sub cbxE1state_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		bcustomerBind = True
		tk_SetEditMode dscustomer
	End If

End Sub

Sub dbcE1referrer_Click(Area As Integer)
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bcustomerBind = True
		tk_SetEditMode dscustomer
	End If

End Sub

Sub cmdcustomerNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dscustomer, nNoRepos, bcustomerUpdateFailed
	If Not bcustomerUpdateFailed Then
		tbxE1name.SetFocus
		customer_SetToScreen
		customer_SetDefaults
	End If

End Sub

Sub cmdcustomerUpdate_Click()
' Tavik Generated Code Section
	If dscustomer.EditMode = dbEditAdd Then
		bcustomerBind = True
	End If
	If dscustomer.EditMode <> dbEditNone Then
		tk_DS_Update Me, dscustomer, nNoRepos, bcustomerUpdateFailed
		If Not bcustomerUpdateFailed Then customer_SetToScreen
	End If

End Sub

Sub cmdcustomerDelete_Click()
' Tavik Generated Code Section
	customer_Reset
	tk_DeleteButton dscustomer
	tbxE1name.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdcustomerFind_Click()
' Tavik Generated Code Section
	tk_FindButton dscustomer, "name", "name"

End Sub

Sub cmdcustomerCancel_Click()
' Tavik Generated Code Section
	customer_Reset
	tk_CancelButton dscustomer, nNoRepos
	customer_SetToScreen

End Sub

Sub dsorder_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(4) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsorder_ValidationErrorHandler


' Tavik Generated Code Section
	If borderBind Then
		Save = True
	End If


	'Update all child data sources
	If tk_ActionNeedsUpdate(Action) Then
		tk_DS_Update Me, dsorder_line, nNoRepos, border_lineUpdateFailed
		If border_lineUpdateFailed Then GoTo order_BadData
	End If

	nDFTransCount = 0
	If tk_PreValidate(dsorder, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsorder
		tk_SaveChangedFlags axorder_Ctrl(), aborder_Changed()
		If tbxE2customer_id.Text = "" Then
			Beep
			MsgBox("customer_id is a required field; record not saved!")
			GoTo order_BadData
		End If
			dsorder.Recordset.Fields("ship to") = tk_CB_ControlXlateValue(chkE2ship_to, dsorder.Recordset.Fields("ship to"), "home", "shop")
		If mebE2placed.Text = "" Then
			mebE2placed.Text = Format$(Now, "yyyy-mm-dd")
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsorder, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axorder_Ctrl)
		For nIndex = LBound(axorder_Ctrl) To nMax
			 If TypeOf axorder_Ctrl(nIndex) Is TextBox Or TypeOf axorder_Ctrl(nIndex) Is MaskEdBox Then
				axorder_Ctrl(nIndex).Text = Trim(axorder_Ctrl(nIndex).Text)
				axorder_Ctrl(nIndex).DataChanged = True
			End If
		Next
	End If

	If Save = True Then
		borderUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsorder.UpdateRecord
		nNoRepos = nNoRepos - 1
		If borderUpdateFailed Then GoTo order_BadData
		Save = False
	End If
	borderBind = False
	Exit Sub

order_BadData:
	Save = False
	borderUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			borderUpdateFailed = False
			borderBind = False
			tk_ClearChangedFlags axorder_Ctrl(), aborder_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsorder_ValidationErrorHandler:
		tk_RestoreChangedFlags axorder_Ctrl(), aborder_Changed()
	borderUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsorder_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsorder, "order"
	If dsorder.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsorder.Recordset.RecordCount = 0 Then
			dsorder.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	On Error Goto dsorder_RepositionErrorHandler

	If bFormLoaded Then
		Screen.MousePointer = HOURGLASS
		Set ds = dsorder_line
		order_line_DoRefresh dsorder
		Screen.MousePointer = ARROW
	End If

	order_SetToScreen
	Exit Sub

dsorder_RepositionErrorHandler:
	If Err = 3021 Then
		ds.Recordset.AddNew
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE2customer_id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder

End Sub

Sub tbxE2number_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder

End Sub

Sub chkE2ship_to_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		borderBind = True
		tk_SetEditMode dsorder
	End If

End Sub

Sub mebE2placed_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder

End Sub

Sub cmdorderNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsorder, nNoRepos, borderUpdateFailed
	If Not borderUpdateFailed Then
		tbxE2customer_id.SetFocus
		order_MigrateKeys dscustomer
		order_SetToScreen
		order_SetDefaults
	End If

End Sub

Sub cmdorderUpdate_Click()
' Tavik Generated Code Section
	If dsorder.EditMode = dbEditAdd Then
		borderBind = True
	End If
	If dsorder.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsorder, nNoRepos, borderUpdateFailed
		If Not borderUpdateFailed Then order_SetToScreen
	End If

End Sub

Sub cmdorderDelete_Click()
' Tavik Generated Code Section
	order_Reset
	tk_DeleteButton dsorder
	tbxE2customer_id.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdorderFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsorder, "customer_id", "customer_id"

End Sub

Sub cmdorderCancel_Click()
' Tavik Generated Code Section
	order_Reset
	tk_CancelButton dsorder, nNoRepos
	order_SetToScreen

End Sub

Sub dsorder_line_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(4) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsorder_line_ValidationErrorHandler


' Tavik Generated Code Section
	If border_lineBind Then
		Save = True
	End If


	nDFTransCount = 0
	If tk_PreValidate(dsorder_line, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsorder_line
		tk_SaveChangedFlags axorder_line_Ctrl(), aborder_line_Changed()
		If tbxE3customer_id.Text = "" Then
			Beep
			MsgBox("customer_id is a required field; record not saved!")
			GoTo order_line_BadData
		End If
		If tbxE3order_number.Text = "" Then
			Beep
			MsgBox("order_number is a required field; record not saved!")
			GoTo order_line_BadData
		End If
		If tbxE3line.Text = "" Then
			Beep
			MsgBox("line is a required field; record not saved!")
			GoTo order_line_BadData
		End If
		If tbxE3cost.Text = "" Then
			Beep
			MsgBox("cost is a required field; record not saved!")
			GoTo order_line_BadData
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsorder_line, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axorder_line_Ctrl)
		For nIndex = LBound(axorder_line_Ctrl) To nMax
			 If TypeOf axorder_line_Ctrl(nIndex) Is TextBox Or TypeOf axorder_line_Ctrl(nIndex) Is MaskEdBox Then
				axorder_line_Ctrl(nIndex).Text = Trim(axorder_line_Ctrl(nIndex).Text)
				axorder_line_Ctrl(nIndex).DataChanged = True
			End If
		Next
	End If

	If Save = True Then
		border_lineUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsorder_line.UpdateRecord
		nNoRepos = nNoRepos - 1
		If border_lineUpdateFailed Then GoTo order_line_BadData
		Save = False
	End If
	border_lineBind = False
	Exit Sub

order_line_BadData:
	Save = False
	border_lineUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			border_lineUpdateFailed = False
			border_lineBind = False
			tk_ClearChangedFlags axorder_line_Ctrl(), aborder_line_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsorder_line_ValidationErrorHandler:
		tk_RestoreChangedFlags axorder_line_Ctrl(), aborder_line_Changed()
	border_lineUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsorder_line_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsorder_line, "order_line"
	If dsorder_line.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsorder_line.Recordset.RecordCount = 0 Then
			dsorder_line.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	order_line_SetToScreen
	Exit Sub

dsorder_line_RepositionErrorHandler:
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE3customer_id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder_line

End Sub

Sub tbxE3order_number_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder_line

End Sub

Sub tbxE3line_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder_line

End Sub

Sub tbxE3cost_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsorder_line

End Sub

Sub cmdorder_lineNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsorder_line, nNoRepos, border_lineUpdateFailed
	If Not border_lineUpdateFailed Then
		tbxE3customer_id.SetFocus
		order_line_MigrateKeys dsorder
		order_line_SetToScreen
	End If

End Sub

Sub cmdorder_lineUpdate_Click()
' Tavik Generated Code Section
	If dsorder_line.EditMode = dbEditAdd Then
		border_lineBind = True
	End If
	If dsorder_line.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsorder_line, nNoRepos, border_lineUpdateFailed
		If Not border_lineUpdateFailed Then order_line_SetToScreen
	End If

End Sub

Sub cmdorder_lineDelete_Click()
' Tavik Generated Code Section
	order_line_Reset
	tk_DeleteButton dsorder_line
	tbxE3customer_id.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdorder_lineFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsorder_line, "customer_id", "customer_id"

End Sub

Sub cmdorder_lineCancel_Click()
' Tavik Generated Code Section
	order_line_Reset
	tk_CancelButton dsorder_line, nNoRepos
	order_line_SetToScreen

End Sub

Sub dsteam_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(2) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsteam_ValidationErrorHandler


' Tavik Generated Code Section
	If bteamBind Then
		Save = True
	End If


	'Update all child data sources
	If tk_ActionNeedsUpdate(Action) Then
		tk_DS_Update Me, dsmember, nNoRepos, bmemberUpdateFailed
		If bmemberUpdateFailed Then GoTo team_BadData
	End If

	nDFTransCount = 0
	If tk_PreValidate(dsteam, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsteam
		tk_SaveChangedFlags axteam_Ctrl(), abteam_Changed()
		If tbxE4id.Text = "" Then
			Beep
			MsgBox("id is a required field; record not saved!")
			GoTo team_BadData
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsteam, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axteam_Ctrl)
		For nIndex = LBound(axteam_Ctrl) To nMax
			 If TypeOf axteam_Ctrl(nIndex) Is TextBox Or TypeOf axteam_Ctrl(nIndex) Is MaskEdBox Then
				axteam_Ctrl(nIndex).Text = Trim(axteam_Ctrl(nIndex).Text)
				axteam_Ctrl(nIndex).DataChanged = True
			End If
		Next
	End If

	If Save = True Then
		bteamUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsteam.UpdateRecord
		nNoRepos = nNoRepos - 1
		If bteamUpdateFailed Then GoTo team_BadData
		Save = False
	End If
	bteamBind = False
	Exit Sub

team_BadData:
	Save = False
	bteamUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			bteamUpdateFailed = False
			bteamBind = False
			tk_ClearChangedFlags axteam_Ctrl(), abteam_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsteam_ValidationErrorHandler:
		tk_RestoreChangedFlags axteam_Ctrl(), abteam_Changed()
	bteamUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsteam_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsteam, "team"
	If dsteam.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsteam.Recordset.RecordCount = 0 Then
			dsteam.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	On Error Goto dsteam_RepositionErrorHandler

	If bFormLoaded Then
		Screen.MousePointer = HOURGLASS
		Set ds = dsmember
		member_DoRefresh dsteam
		Screen.MousePointer = ARROW
	End If

	team_SetToScreen
	Exit Sub

dsteam_RepositionErrorHandler:
	If Err = 3021 Then
		ds.Recordset.AddNew
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE4id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsteam

End Sub

Sub dbcE4lead_id_Click(Area As Integer)
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bteamBind = True
		tk_SetEditMode dsteam
	End If

End Sub

Sub cmdteamNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsteam, nNoRepos, bteamUpdateFailed
	If Not bteamUpdateFailed Then
		tbxE4id.SetFocus
		team_SetToScreen
	End If

End Sub

Sub cmdteamUpdate_Click()
' Tavik Generated Code Section
	If dsteam.EditMode = dbEditAdd Then
		bteamBind = True
	End If
	If dsteam.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsteam, nNoRepos, bteamUpdateFailed
		If Not bteamUpdateFailed Then team_SetToScreen
	End If

End Sub

Sub cmdteamDelete_Click()
' Tavik Generated Code Section
	team_Reset
	tk_DeleteButton dsteam
	tbxE4id.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdteamFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsteam, "id", "id"

End Sub

Sub cmdteamCancel_Click()
' Tavik Generated Code Section
	team_Reset
	tk_CancelButton dsteam, nNoRepos
	team_SetToScreen

End Sub

Sub dsmember_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(2) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsmember_ValidationErrorHandler


' Tavik Generated Code Section
	If bmemberBind Then
		Save = True
	End If


	nDFTransCount = 0
	If tk_PreValidate(dsmember, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsmember
		tk_SaveChangedFlags axmember_Ctrl(), abmember_Changed()
		If tbxE5id.Text = "" Then
			Beep
			MsgBox("id is a required field; record not saved!")
			GoTo member_BadData
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsmember, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axmember_Ctrl)
		For nIndex = LBound(axmember_Ctrl) To nMax
			 If TypeOf axmember_Ctrl(nIndex) Is TextBox Or TypeOf axmember_Ctrl(nIndex) Is MaskEdBox Then
				axmember_Ctrl(nIndex).Text = Trim(axmember_Ctrl(nIndex).Text)
				axmember_Ctrl(nIndex).DataChanged = True
			End If
		Next
	End If

	If Save = True Then
		bmemberUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsmember.UpdateRecord
		nNoRepos = nNoRepos - 1
		If bmemberUpdateFailed Then GoTo member_BadData
		Save = False
	End If
	bmemberBind = False
	Exit Sub

member_BadData:
	Save = False
	bmemberUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			bmemberUpdateFailed = False
			bmemberBind = False
			tk_ClearChangedFlags axmember_Ctrl(), abmember_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsmember_ValidationErrorHandler:
		tk_RestoreChangedFlags axmember_Ctrl(), abmember_Changed()
	bmemberUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsmember_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsmember, "member"
	If dsmember.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsmember.Recordset.RecordCount = 0 Then
			dsmember.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	member_SetToScreen
	Exit Sub

dsmember_RepositionErrorHandler:
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE5id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsmember

End Sub

Sub tbxE5team_id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsmember

End Sub

Sub cmdmemberNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsmember, nNoRepos, bmemberUpdateFailed
	If Not bmemberUpdateFailed Then
		tbxE5id.SetFocus
		member_MigrateKeys dsteam
		member_SetToScreen
	End If

End Sub

Sub cmdmemberUpdate_Click()
' Tavik Generated Code Section
	If dsmember.EditMode = dbEditAdd Then
		bmemberBind = True
	End If
	If dsmember.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsmember, nNoRepos, bmemberUpdateFailed
		If Not bmemberUpdateFailed Then member_SetToScreen
	End If

End Sub

Sub cmdmemberDelete_Click()
' Tavik Generated Code Section
	member_Reset
	tk_DeleteButton dsmember
	tbxE5id.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdmemberFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsmember, "id", "id"

End Sub

Sub cmdmemberCancel_Click()
' Tavik Generated Code Section
	member_Reset
	tk_CancelButton dsmember, nNoRepos
	member_SetToScreen

End Sub

Sub dsselect_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(6) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsselect_ValidationErrorHandler


' Tavik Generated Code Section
	If bselectBind Then
		Save = True
	End If


	nDFTransCount = 0
	If tk_PreValidate(dsselect, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsselect
		tk_SaveChangedFlags axselect_Ctrl(), abselect_Changed()
		If tbxE6from.Text = "" Then
			Beep
			MsgBox("from is a required field; record not saved!")
			GoTo select_BadData
		End If
		FnErr = tvkSetNewListField(cbxE6fit, dsselect, "fit", select_fit_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field fit; record not saved!")
			GoTo select_BadData
		End If
		If mebE6made.Text = "" Then
			mebE6made.Text = Format$(Now, "yyyy-mm-dd hh:nn:ss")
		End If
		If tbxE6code.Text = "" And dsselect.EditMode <> dbEditAdd Then
			Beep
			MsgBox("code is a required field; record not saved!")
			GoTo select_BadData
		End If
			dsselect.Recordset.Fields("flag") = tk_CB_ControlXlateValue(chkE6flag, dsselect.Recordset.Fields("flag"), "y", "n")
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsselect, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axselect_Ctrl)
		For nIndex = LBound(axselect_Ctrl) To nMax
			 If TypeOf axselect_Ctrl(nIndex) Is TextBox Or TypeOf axselect_Ctrl(nIndex) Is MaskEdBox Then
				axselect_Ctrl(nIndex).Text = Trim(axselect_Ctrl(nIndex).Text)
				axselect_Ctrl(nIndex).DataChanged = True
			End If
		Next
		If dsselect.EditMode = dbEditAdd And tbxE6code.Text = "" Then tbxE6code.DataChanged = False
	End If

	If Save = True Then
		bselectUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsselect.UpdateRecord
		nNoRepos = nNoRepos - 1
		If bselectUpdateFailed Then GoTo select_BadData
		Save = False
	End If
	bselectBind = False
	Exit Sub

select_BadData:
	Save = False
	bselectUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			bselectUpdateFailed = False
			bselectBind = False
			tk_ClearChangedFlags axselect_Ctrl(), abselect_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsselect_ValidationErrorHandler:
		tk_RestoreChangedFlags axselect_Ctrl(), abselect_Changed()
	bselectUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsselect_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsselect, "select"
	If dsselect.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsselect.Recordset.RecordCount = 0 Then
			dsselect.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	select_SetToScreen
	Exit Sub

dsselect_RepositionErrorHandler:
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE6from_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsselect

End Sub

Sub cbxE6fit_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bselectBind = True
		tk_SetEditMode dsselect
	End If

End Sub

Sub cbxE6fit_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		bselectBind = True
		tk_SetEditMode dsselect
	End If

End Sub

Sub mebE6made_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsselect

End Sub

Sub tbxE6code_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsselect

End Sub

Sub chkE6flag_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		bselectBind = True
		tk_SetEditMode dsselect
	End If

End Sub

Sub cmdselectNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsselect, nNoRepos, bselectUpdateFailed
	If Not bselectUpdateFailed Then
		tbxE6from.SetFocus
		select_SetToScreen
		select_SetDefaults
	End If

End Sub

Sub cmdselectUpdate_Click()
' Tavik Generated Code Section
	If dsselect.EditMode = dbEditAdd Then
		bselectBind = True
	End If
	If dsselect.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsselect, nNoRepos, bselectUpdateFailed
		If Not bselectUpdateFailed Then select_SetToScreen
	End If

End Sub

Sub cmdselectDelete_Click()
' Tavik Generated Code Section
	select_Reset
	tk_DeleteButton dsselect
	tbxE6from.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdselectFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsselect, "from", "[from]"

End Sub

Sub cmdselectCancel_Click()
' Tavik Generated Code Section
	select_Reset
	tk_CancelButton dsselect, nNoRepos
	select_SetToScreen

End Sub

Sub dsreview_Validate(Action As Integer, Save As Integer)
' Tavik Generated Declarations
	Static DisplayFieldTranslate(13) As TranslateItem
	Static nDFTransCount As Integer
	Dim sBuff As String
	Dim sValue As String
	Dim nResult As Integer
	Dim nMax As Integer
	Dim nIndex As Integer
	On Error Goto dsreview_ValidationErrorHandler


' Tavik Generated Code Section
	If breviewBind Then
		Save = True
	End If


	nDFTransCount = 0
	If tk_PreValidate(dsreview, Action, Save) Then
		Exit Sub
	End If


	If bFormLoaded And Save Then
		tk_SetEditMode dsreview
		tk_SaveChangedFlags axreview_Ctrl(), abreview_Changed()
		If tbxE7id.Text = "" Then
			Beep
			MsgBox("id is a required field; record not saved!")
			GoTo review_BadData
		End If
		If tbxE7code.Text = "" Then
			Beep
			MsgBox("code is a required field; record not saved!")
			GoTo review_BadData
		End If
		FnErr = tvkSetNewListField(cbxE7grade, dsreview, "grade", review_grade_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field grade; record not saved!")
			GoTo review_BadData
		End If
		If cbxE7grade.Text = "" Then dsreview.Recordset.Fields("grade") = "fair"
		FnErr = tvkSetNewListField(cbxE7second_grade, dsreview, "second_grade", review_second_grade_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field second_grade; record not saved!")
			GoTo review_BadData
		End If
		If cbxE7second_grade.Text = "" Then dsreview.Recordset.Fields("second_grade") = "good"
		FnErr = tvkSetNewListField(cbxE7mood, dsreview, "mood", review_mood_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field mood; record not saved!")
			GoTo review_BadData
		End If
		FnErr = tvkSetNewListField(cbxE7team_mood, dsreview, "team_mood", review_team_mood_List(), True, bNoClick)
		If FnErr = False Then
			Beep
			MsgBox("Not a valid value for field team_mood; record not saved!")
			GoTo review_BadData
		End If
		If cbxE7team_mood.Text = "" Then dsreview.Recordset.Fields("team_mood") = "busy"
		If mebE7seen.Text = "" Then
			mebE7seen.Text = Format$(Now, "yyyy-mm-dd hh:nn:ss")
		End If
		If tbxE7token.Text = "" And dsreview.EditMode <> dbEditAdd Then
			Beep
			MsgBox("token is a required field; record not saved!")
			GoTo review_BadData
		End If
		If nDFTransCount > 0 Then
			FnErr = tvkDoDisplayFieldTranslation(dsreview, DisplayFieldTranslate(), nDFTransCount)
		End If

		nMax = UBound(axreview_Ctrl)
		For nIndex = LBound(axreview_Ctrl) To nMax
			 If TypeOf axreview_Ctrl(nIndex) Is TextBox Or TypeOf axreview_Ctrl(nIndex) Is MaskEdBox Then
				axreview_Ctrl(nIndex).Text = Trim(axreview_Ctrl(nIndex).Text)
				axreview_Ctrl(nIndex).DataChanged = True
			End If
		Next
		If dsreview.EditMode = dbEditAdd And tbxE7token.Text = "" Then tbxE7token.DataChanged = False
	End If

	If Save = True Then
		breviewUpdateFailed = False
		nNoRepos = nNoRepos + 1
		dsreview.UpdateRecord
		nNoRepos = nNoRepos - 1
		If breviewUpdateFailed Then GoTo review_BadData
		Save = False
	End If
	breviewBind = False
	Exit Sub

review_BadData:
	Save = False
	breviewUpdateFailed = True
	If Action = DATA_ACTIONCLOSE Or Action = DATA_ACTIONUNLOAD Then
		Beep
		nButton = MsgBox("Changed data will be lost.  Do you wish to continue?", vbYesNo)
		If nButton = vbNo Then
			Action = DATA_ACTIONCANCEL
		Else
			breviewUpdateFailed = False
			breviewBind = False
			tk_ClearChangedFlags axreview_Ctrl(), abreview_Changed()
		End If
	Else
		Action = DATA_ACTIONCANCEL
	End If
	Exit Sub

dsreview_ValidationErrorHandler:
		tk_RestoreChangedFlags axreview_Ctrl(), abreview_Changed()
	breviewUpdateFailed = True
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub dsreview_Reposition()
' Tavik Generated Declarations
	Dim ds As Data

' Tavik Generated Code Section
	tk_ShowPosition dsreview, "review"
	If dsreview.EditMode = DATA_EDITNONE Then
 		nNoRepos = nNoRepos + 1
		If dsreview.Recordset.RecordCount = 0 Then
			dsreview.Recordset.AddNew
 		End If
		nNoRepos = nNoRepos - 1
	End If
	If nNoRepos Then Exit Sub


	review_SetToScreen
	Exit Sub

dsreview_RepositionErrorHandler:
	If Err = 3021 Then
		Resume Next
	Else
		tk_DisplayError(Err)
		Resume Next
	End If

End Sub

Sub tbxE7id_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7code_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub cbxE7grade_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7grade_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7second_grade_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7second_grade_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7mood_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7mood_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7team_mood_Click()
' Tavik Generated Code Section
	If bNoClick Then Exit Sub

	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub cbxE7team_mood_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
	If bFormLoaded Then
		breviewBind = True
		tk_SetEditMode dsreview
	End If

End Sub

Sub mebE7seen_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7token_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7alias_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7note_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7pair_a_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7pair_b_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub tbxE7ref_KeyPress(KeyAscii As Integer)
' Tavik Generated Code Section
		tk_SetEditMode dsreview

End Sub

Sub cmdreviewNew_Click()
' Tavik Generated Code Section
	tk_NewButton Me, dsreview, nNoRepos, breviewUpdateFailed
	If Not breviewUpdateFailed Then
		tbxE7id.SetFocus
		review_SetToScreen
		review_SetDefaults
	End If

End Sub

Sub cmdreviewUpdate_Click()
' Tavik Generated Code Section
	If dsreview.EditMode = dbEditAdd Then
		breviewBind = True
	End If
	If dsreview.EditMode <> dbEditNone Then
		tk_DS_Update Me, dsreview, nNoRepos, breviewUpdateFailed
		If Not breviewUpdateFailed Then review_SetToScreen
	End If

End Sub

Sub cmdreviewDelete_Click()
' Tavik Generated Code Section
	review_Reset
	tk_DeleteButton dsreview
	tbxE7id.SetFocus    'set focus to first field of datasource

End Sub

Sub cmdreviewFind_Click()
' Tavik Generated Code Section
	tk_FindButton dsreview, "code", "code"

End Sub

Sub cmdreviewCancel_Click()
' Tavik Generated Code Section
	review_Reset
	tk_CancelButton dsreview, nNoRepos
	review_SetToScreen

End Sub

Sub cmdshopClose_Click()
' Tavik Generated Code Section
	On Error GoTo cmdClose_ErrorHandler
	Unload Me
	Exit Sub

cmdClose_ErrorHandler:
Resume Next

End Sub

Sub tvkHScrollBar_Change()
' Tavik Generated Code Section
	tvkSSPanel.Left = -tvkHScrollBar.Value

End Sub

Sub tvkVScrollBar_Change()
' Tavik Generated Code Section
	tvkSSPanel.Top = -tvkVScrollBar.Value

End Sub

