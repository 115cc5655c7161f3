VERSION 5.00
Object = "{CDE57A40-8B86-11D0-B3C6-00A0C90AEA82}#1.0#0"; "MSDATGRD.OCX"
Begin VB.Form frmCustomers
   Caption         =   "Customers"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   6300
   Icon            =   "frmCustomers.frx":0000
   LinkTopic       =   "Form1"
   ScaleHeight     =   3195
   ScaleWidth      =   6300
   StartUpPosition =   3  'Windows Default
   BeginProperty Font 
      Name            =   "MS Sans Serif"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0   'False
      Italic          =   0   'False
      Strikethrough   =   0   'False
   EndProperty
   Begin VB.Data datCustomers
      Caption         =   "Customers"
      Connect         =   "Access"
      DatabaseName    =   "ORDERS.MDB"
      Height          =   345
      Left            =   120
      RecordSource    =   "Customers"
      Top             =   2760
      Width           =   2775
   End
   Begin MSDataGridLib.DataGrid grdCustomers
      Bindings        =   "frmCustomers.frx":0442
      Height          =   1815
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4215
      BeginProperty Column00 
         DataField       =   "Name"
         Caption         =   "Name"
      EndProperty
      BeginProperty Split0
      EndProperty
   End
   Begin VB.ListBox lstKinds
      Height          =   1815
      ItemData        =   "frmCustomers.frx":0456
      Left            =   4440
      List            =   "frmCustomers.frx":0460
      TabIndex        =   1
      Top             =   120
      Width           =   1695
   End
   Begin VB.Label lblNote
      Caption         =   $"frmCustomers.frx":046A
      Height          =   615
      Left            =   3120
      TabIndex        =   2
      Top             =   2040
      Width           =   3015
   End
End
Attribute VB_Name = "frmCustomers"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub Form_Load()
   datCustomers.RecordSource = "SELECT * FROM Customers ORDER BY Name"
End Sub

Private Sub lstKinds_Click()
   datCustomers.Recordset.FindFirst "Kind = " & lstKinds.ItemData(lstKinds.ListIndex)
End Sub
